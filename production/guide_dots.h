#pragma once
// The two guide dots drawn above or below a stereogram, one background repeat
// apart around the middle: looking through the picture until they become
// three is the usual help for fusing it.
#include <cstdint>

#include "production/stereogram_settings.h"

namespace ovek {

struct GuideDots {
    GuidePlace place = GuidePlace::None;
    double distance = 0;  // between the two centres, pixels: the background repeat
};

// The guide dots' part of row y (top row 0) of a width x height picture held
// as blue, green, red bytes: black discs in a white ring.
void stampGuideRow(uint8_t* row, int width, int height, int y, const GuideDots& guides);

// The centre column of the left dot (right: plus the distance, rounded), and
// the centre row; false for GuidePlace::None.
bool guideCentres(const GuideDots& guides, int width, int height, int& left, int& right,
                  int& centreY);

}  // namespace ovek

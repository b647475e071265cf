#include "production/guide_dots.h"

#include <cmath>
#include <initializer_list>

namespace ovek {

namespace {

constexpr int kInner = 5;   // black disc radius, pixels
constexpr int kOuter = 8;   // white ring's outer radius
constexpr int kMargin = 14; // centre row from the picture's edge

}  // namespace

bool guideCentres(const GuideDots& guides, int width, int height, int& left, int& right,
                  int& centreY)
{
    if (guides.place == GuidePlace::None)
        return false;
    const double middle = width / 2.0;
    left = int(std::lround(middle - guides.distance / 2));
    right = int(std::lround(middle - guides.distance / 2 + guides.distance));
    centreY = guides.place == GuidePlace::Top ? kMargin : height - 1 - kMargin;
    return true;
}

void stampGuideRow(uint8_t* row, int width, int height, int y, const GuideDots& guides)
{
    int left, right, centreY;
    if (!guideCentres(guides, width, height, left, right, centreY))
        return;
    const int dy = y - centreY;
    if (dy < -kOuter || dy > kOuter)
        return;
    for (const int cx : {left, right})
        for (int dx = -kOuter; dx <= kOuter; ++dx) {
            const int x = cx + dx, d2 = dx * dx + dy * dy;
            if (x < 0 || x >= width || d2 > kOuter * kOuter)
                continue;
            const uint8_t v = d2 <= kInner * kInner ? 0 : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
}

}  // namespace ovek

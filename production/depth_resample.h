#pragma once
// A depth picture brought to another size, for a depth picture produced at a
// size of the user's choosing.
#include "image/grey_picture.h"

namespace ovek {

// depth resampled to width x height (each at least 1) by bilinear
// interpolation between pixel centres, edges held. The result keeps full
// precision in values16 (8-bit samples count as v x 257) and has the rounded
// 8-bit values too; a picture resampled to its own size keeps its heights.
GreyPicture resampleDepth(const GreyPicture& depth, int width, int height);

}  // namespace ovek

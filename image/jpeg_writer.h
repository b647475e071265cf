#pragma once
// JPEG files through libjpeg-turbo, a row at a time: colour kept at full
// resolution (no chroma subsampling), as befits a picture of fine repeats.
#include <cstdio>
#include <memory>

#include "image/row_encoder.h"

namespace ovek {

std::unique_ptr<RowEncoder> makeJPEGEncoder(std::FILE* f, int quality);

}  // namespace ovek

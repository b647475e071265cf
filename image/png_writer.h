#pragma once
// PNG files through libpng, a row at a time: 8-bit RGB, not interlaced.
#include <cstdio>
#include <memory>

#include "image/row_encoder.h"

namespace ovek {

// How hard the rows are compressed; the defaults were chosen by measuring
// stereograms (bench/picture_bench.cpp): files no larger than other common
// writers make, in a small multiple of the time of an uncompressed BMP.
struct PNGSettings {
    int level = 6;          // zlib's level, 0 to 9
    int filters = 0x08;     // libpng's PNG_FILTER_* bits: which row filters are tried
    int strategy = 0;       // zlib's strategy (Z_DEFAULT_STRATEGY ...)
};

std::unique_ptr<RowEncoder> makePNGEncoder(std::FILE* f, const PNGSettings& settings = {});

}  // namespace ovek

#pragma once
// PNG files through libpng, a row at a time: 8-bit RGB, not interlaced.
#include <cstdio>
#include <memory>

#include "image/row_encoder.h"

namespace ovek {

// How hard the rows are compressed. Measured on 4000 x 3000 stereograms
// (bench/picture_bench.cpp, PNGSettings): Paeth at zlib's level 1 gives files
// about 5% larger than ImageMagick's (level 7, every filter) in under half its
// time; every filter at level 6 comes within 0.5% of its size but takes more
// than the whole production, which PNG output may only double.
struct PNGSettings {
    int level = 1;          // zlib's level, 0 to 9
    int filters = 0x80;     // libpng's PNG_FILTER_* bits: which row filters are tried (Paeth)
    int strategy = 0;       // zlib's strategy (Z_DEFAULT_STRATEGY ...)
};

std::unique_ptr<RowEncoder> makePNGEncoder(std::FILE* f, const PNGSettings& settings = {});

}  // namespace ovek

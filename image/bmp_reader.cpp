#include "image/bmp_reader.h"

#include "image/image.h"

// Placeholder: uncompressed 24-bit files with a 40-byte header only.
namespace ovek {

namespace {
uint32_t get32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
}  // namespace

bool looksLikeBMP(const uint8_t* data, size_t size)
{
    return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

FileResult decodeBMP(const uint8_t* data, size_t size, Image& img)
{
    if (size < 54)
        return FileResult::failure("the file is cut short");
    const int32_t w = int32_t(get32(data + 18)), h = int32_t(get32(data + 22));
    const uint32_t offset = get32(data + 10);
    if (w <= 0 || h <= 0 || !Image::sizeAllowed(w, h))
        return FileResult::failure("bad picture size");
    if (data[28] != 24 || get32(data + 30) != 0)
        return FileResult::failure("unsupported BMP variant");
    const size_t stride = size_t(Image::strideFor(w));
    if (offset > size || (size - offset) / stride < size_t(h))
        return FileResult::failure("the file is cut short");
    img.setSize(w, h);
    std::copy(data + offset, data + offset + stride * size_t(h), img.pixels.begin());
    return FileResult::success();
}

}  // namespace ovek

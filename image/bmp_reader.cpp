#include "image/bmp_reader.h"

#include <cstring>
#include <new>
#include <vector>

#include "image/bmp_header.h"
#include "image/bmp_rle.h"
#include "image/image.h"

namespace ovek {

namespace {

// One colour channel of a masked pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;  // bits below the mask
    int bits = 0;   // bits in the mask

    explicit Channel(uint32_t m) : mask(m)
    {
        while (m != 0 && (m & 1) == 0) {
            m >>= 1;
            ++shift;
        }
        for (; m & 1; m >>= 1)
            ++bits;
    }

    // Widens to 8 bits by repeating the bits, so that all ones gives 255.
    uint8_t value(uint32_t pixel) const
    {
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return uint8_t(v >> (bits - 8));
        if (bits == 0)
            return 0;
        uint32_t wide = 0;
        for (int s = 8 - bits; s > -bits; s -= bits)
            wide |= s >= 0 ? v << s : v >> -s;
        return uint8_t(wide);
    }
};

void decodePaletteRow(const uint8_t* src, int width, int bits, const BMPPalette& pal, uint8_t* dst)
{
    const unsigned valueMask = (1u << bits) - 1;
    for (size_t x = 0; x < size_t(width); ++x, dst += 3) {
        const size_t bit = x * size_t(bits);
        const unsigned index = unsigned(src[bit / 8] >> (8 - bits - bit % 8)) & valueMask;
        std::memcpy(dst, pal[index].data(), 3);
    }
}

void decodeMaskedRow(const uint8_t* src, int width, int bits, const Channel (&rgb)[3], uint8_t* dst)
{
    const size_t bytes = size_t(bits) / 8;
    for (size_t x = 0; x < size_t(width); ++x, src += bytes, dst += 3) {
        uint32_t pixel = uint32_t(src[0]) | uint32_t(src[1]) << 8;
        if (bytes == 4)
            pixel |= uint32_t(src[2]) << 16 | uint32_t(src[3]) << 24;
        dst[0] = rgb[2].value(pixel);
        dst[1] = rgb[1].value(pixel);
        dst[2] = rgb[0].value(pixel);
    }
}

// Uncompressed rows; readBMPHeader made sure the file holds all of them.
void decodeRows(const BMPHeader& h, const uint8_t* data, const BMPPalette& pal, uint8_t* out,
                size_t stride)
{
    for (size_t r = 0; r < size_t(h.height); ++r)
        decodeBMPRow(h, pal, data + h.dataOffset + r * h.rowBytes,
                     out + (h.topDown ? size_t(h.height) - 1 - r : r) * stride);
}

}  // namespace

void decodeBMPRow(const BMPHeader& h, const BMPPalette& pal, const uint8_t* src, uint8_t* dst)
{
    switch (h.encoding) {
    case BMPEncoding::Palette: decodePaletteRow(src, h.width, h.bitCount, pal, dst); break;
    case BMPEncoding::Bitfields: {
        const Channel rgb[3] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2])};
        decodeMaskedRow(src, h.width, h.bitCount, rgb, dst);
        break;
    }
    default: std::memcpy(dst, src, 3 * size_t(h.width)); break;
    }
}

bool looksLikeBMP(const uint8_t* data, size_t size)
{
    // "BA" is an OS/2 bitmap array, whose first picture we read.
    return size >= 2 && data[0] == 'B' && (data[1] == 'M' || data[1] == 'A');
}

FileResult decodeBMP(const uint8_t* data, size_t size, Image& img)
{
    BMPHeader h;
    FileResult r = readBMPHeader(data, size, h);
    if (!r)
        return r;
    const BMPPalette pal = readBMPPalette(h, data);
    const size_t stride = size_t(Image::strideFor(h.width));
    // Decoded apart from img, so that a failure leaves img as it was. Starts
    // black, which is what pixels skipped by run-length codes show.
    std::vector<uint8_t> pixels;
    try {
        pixels.resize(stride * size_t(h.height));
    } catch (const std::bad_alloc&) {
        return FileResult::failure("not enough memory for a " + std::to_string(h.width) + " x " +
                                   std::to_string(h.height) + " picture");
    }
    if (isRunLength(h.encoding)) {
        if (!(r = decodeBMPRle(h, data, size, pal, pixels.data(), stride)))
            return r;
    } else
        decodeRows(h, data, pal, pixels.data(), stride);

    img.setSize(0, 0);  // drops the old pixels and surface
    img.width = h.width;
    img.height = h.height;
    img.stride = int(stride);
    img.pixels = std::move(pixels);
    return FileResult::success();
}

}  // namespace ovek

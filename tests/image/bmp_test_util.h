#pragma once
// Building small BMP files and looking at what the decoder makes of them.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "image/bmp_reader.h"
#include "image/image.h"
#include "tests/test_util.h"

namespace bmptest {

// What a decode gave: 0xRRGGBB values, top row first, or the reason it failed.
struct Picture {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;

    uint32_t at(int x, int y) const { return rgb[size_t(y) * size_t(width) + size_t(x)]; }
};

inline Picture decode(const std::string& bytes)
{
    ovek::Image img(nullptr, 1, 1);
    Picture p;
    const ovek::FileResult r =
        ovek::decodeBMP(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), img);
    p.ok = r.ok;
    p.error = r.error;
    if (!r)
        return p;
    p.width = img.getWidth();
    p.height = img.getHeight();
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.rgb.push_back(uint32_t(img.getColor(x, y)));
    return p;
}

inline std::string le16(uint32_t v) { return {char(v & 255), char(v >> 8 & 255)}; }
inline std::string le32(uint32_t v) { return le16(v & 0xffff) + le16(v >> 16); }

// A file with a 40-byte header; masks and colour table follow it.
struct Layout {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> masks;    // stored right after the header
    std::vector<uint32_t> palette;  // 0xRRGGBB each
    std::string pixels;             // exactly as stored in the file
};

inline std::string buildBMP(const Layout& s)
{
    const uint32_t offset = uint32_t(54 + 4 * (s.masks.size() + s.palette.size()));
    std::string f = "BM" + le32(offset + uint32_t(s.pixels.size())) + le32(0) + le32(offset);
    f += le32(40) + le32(uint32_t(s.width)) + le32(uint32_t(s.height)) + le16(1) + le16(s.bits);
    f += le32(s.compression) + le32(uint32_t(s.pixels.size())) + le32(0) + le32(0);
    f += le32(s.coloursUsed) + le32(0);
    for (uint32_t m : s.masks)
        f += le32(m);
    for (uint32_t c : s.palette)
        f += le32(c);  // blue, green, red, 0
    return f + s.pixels;
}

// The ways of storing a picture that the decoder reads.
enum class Variant { Palette1, Palette4, Palette8, Rgb555, Rgb565, Rgb24, Rgb24TopDown, Rgb32, Rle8 };
inline const Variant kVariants[] = {Variant::Palette1, Variant::Palette4, Variant::Palette8,
                                    Variant::Rgb555,   Variant::Rgb565,   Variant::Rgb24,
                                    Variant::Rgb24TopDown, Variant::Rgb32, Variant::Rle8};

// A width x height file of random pixels stored as v; a palette of random
// colours where the variant has one.
inline std::string randomBMP(Variant v, int width, int height, uint32_t seed = 1)
{
    std::mt19937 rng(seed);
    Layout s;
    s.width = width;
    s.height = v == Variant::Rgb24TopDown ? -height : height;
    const int bits[] = {1, 4, 8, 16, 16, 24, 24, 32, 8};
    s.bits = uint16_t(bits[int(v)]);
    if (s.bits <= 8)
        for (int i = 0; i < (1 << s.bits); ++i)
            s.palette.push_back(rng() & 0xffffff);
    if (v == Variant::Rgb565) {
        s.compression = 3;
        s.masks = {0xf800, 0x07e0, 0x001f};
    }
    if (v == Variant::Rle8) {
        // A run of one pixel at a time, then end of line; end of picture.
        s.compression = 1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                s.pixels += {'\x01', char(rng() & 255)};
            s.pixels += {'\0', '\0'};
        }
        s.pixels += {'\0', '\x01'};
        return buildBMP(s);
    }
    const size_t rowBytes = (size_t(width) * s.bits + 31) / 32 * 4;
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < rowBytes; ++i)
            s.pixels += char(rng() & 255);
    return buildBMP(s);
}

}  // namespace bmptest

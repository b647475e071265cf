#pragma once
// Pictures for the format tests: small sources written as netpbm by the test
// itself, turned into each variant by ImageMagick, and what our readers make
// of a file.
#include <cstdint>
#include <string>
#include <vector>

#include "image/grey_picture.h"
#include "image/image.h"
#include "image/picture_reader.h"
#include "tests/test_util.h"

namespace picturetest {

// 16-bit red, green, blue, top row first.
struct Source {
    int width = 0;
    int height = 0;
    std::vector<uint16_t> rgb;
};

// Bands of four levels a channel, 0 to 255 in steps of 85: a palette holds
// them all and so does a grey picture of 2 or 4 bits.
inline Source smoothSource(int width, int height)
{
    Source s{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            s.rgb.push_back(uint16_t(257 * 85 * (x * 4 / width)));
            s.rgb.push_back(uint16_t(257 * 85 * (y * 4 / height)));
            s.rgb.push_back(uint16_t(257 * 85 * ((x / 3 + y / 3) % 4)));
        }
    return s;
}

// Every 16-bit sample different in its low byte.
inline Source deepSource(int width, int height)
{
    Source s{width, height, {}};
    uint32_t v = 12345;
    for (int i = 0; i < width * height * 3; ++i) {
        v = v * 1103515245u + 12345u;
        s.rgb.push_back(uint16_t(v >> 16));
    }
    return s;
}

// Binary PPM, or PGM of the red samples; 8 bits unless deep.
inline std::string netpbm(const Source& s, bool deep, bool grey = false)
{
    std::string f = std::string(grey ? "P5\n" : "P6\n") + std::to_string(s.width) + " " +
                    std::to_string(s.height) + "\n" + (deep ? "65535\n" : "255\n");
    for (size_t i = 0; i < s.rgb.size(); i += grey ? 3 : 1) {
        if (deep)
            f += char(s.rgb[i] >> 8);
        f += char(deep ? s.rgb[i] & 255 : s.rgb[i] >> 8);
    }
    return f;
}

// ImageMagick's convert; true when it succeeded.
inline bool magick(const std::string& args)
{
    return std::system(("convert " + args + " 2>/dev/null").c_str()) == 0;
}

// What a reader made of a file: 0xRRGGBB values, top row first, or why not.
struct Read {
    ovek::FileResult result;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;
};

inline Read readBytes(const std::string& bytes)
{
    ovek::Image img(nullptr, 1, 1);
    Read r;
    r.result = ovek::decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), img);
    if (!r.result)
        return r;
    r.width = img.getWidth();
    r.height = img.getHeight();
    for (int y = 0; y < r.height; ++y)
        for (int x = 0; x < r.width; ++x)
            r.rgb.push_back(uint32_t(img.getColor(x, y)));
    return r;
}

inline Read readFile(const std::string& path)
{
    return readBytes(testutil::readFile(path));
}

// The source as 0xRRGGBB of its high bytes.
inline std::vector<uint32_t> expected8(const Source& s, bool grey = false)
{
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.rgb.size(); i += 3) {
        const uint32_t r = s.rgb[i] >> 8, g = grey ? r : s.rgb[i + 1] >> 8,
                       b = grey ? r : s.rgb[i + 2] >> 8;
        out.push_back(r << 16 | g << 8 | b);
    }
    return out;
}

// Largest difference of one channel between two pictures of the same size.
inline int worstChannel(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    int worst = a.size() == b.size() ? 0 : 256;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            worst = std::max(worst, std::abs(int(a[i] >> shift & 255) - int(b[i] >> shift & 255)));
    return worst;
}

}  // namespace picturetest

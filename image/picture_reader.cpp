#include "image/picture_reader.h"

#include <climits>
#include <cstring>
#include <memory>
#include <stb/stb_image.h>

#include "image/bmp_reader.h"
#include "image/image.h"

namespace ovek {

namespace {

// The formats stb_image reads for us, told by their first bytes, so that a
// damaged file is reported as damaged rather than as an unknown format.
struct StbFormat {
    const char* name;
    const char* signature;
    size_t length;
};

const StbFormat kStbFormats[] = {
    {"PNG", "\x89PNG\r\n\x1a\n", 8}, {"JPEG", "\xff\xd8\xff", 3}, {"GIF", "GIF8", 4},
    {"PSD", "8BPS", 4},                {"PNM", "P5", 2},                {"PNM", "P6", 2},
};

const char* stbFormatOf(const uint8_t* data, size_t size)
{
    for (const StbFormat& f : kStbFormats)
        if (size >= f.length && std::memcmp(data, f.signature, f.length) == 0)
            return f.name;
    return nullptr;
}

// stb_image's own reasons ("Corrupt PNG", "JPEG format not supported: 8-bit
// only") turned into a sentence about the file.
std::string stbFailure(const std::string& format)
{
    const char* why = stbi_failure_reason();
    const std::string reason = why ? why : "";
    if (reason.find("not supported") != std::string::npos ||
        reason.find("supports only") != std::string::npos)
        return "the " + format + " file uses a feature this program cannot read";
    if (reason == "Out of memory")
        return "not enough memory to read the " + format + " file";
    return "the " + format + " file is cut short or damaged";
}

FileResult decodeWithStb(const uint8_t* data, size_t size, Image& img)
{
    const char* format = stbFormatOf(data, size);
    if (!format)
        return FileResult::failure(
            "not a picture this program reads (BMP, PNG, JPEG, GIF, PNM or PSD)");
    if (size > size_t(INT_MAX))
        return FileResult::failure("the file is too large");
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &w, &h, &channels))
        return FileResult::failure(stbFailure(format));
    if (!Image::sizeAllowed(w, h) || w == 0 || h == 0)
        return FileResult::failure("the picture is too large (" + std::to_string(w) + " x " +
                                   std::to_string(h) + ")");
    std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
        stbi_load_from_memory(data, int(size), &w, &h, &channels, 3), stbi_image_free);
    if (!rgb)
        return FileResult::failure(stbFailure(format));
    img.setSize(w, h);
    for (int row = 0; row < h; ++row) {
        const stbi_uc* p = rgb.get() + size_t(row) * size_t(w) * 3;
        for (int col = 0; col < w; ++col, p += 3)
            img.setPixel(col, row, p[2], p[1], p[0]);
    }
    return FileResult::success();
}

}  // namespace

FileResult decodePicture(const uint8_t* data, size_t size, Image& img)
{
    if (size == 0)
        return FileResult::failure("the file is empty");
    if (looksLikeBMP(data, size))
        return decodeBMP(data, size, img);
    return decodeWithStb(data, size, img);
}

}  // namespace ovek

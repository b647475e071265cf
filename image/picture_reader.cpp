#include "image/picture_reader.h"

#include <climits>
#include <memory>
#include <stb/stb_image.h>

#include "image/bmp_reader.h"
#include "image/image.h"

namespace ovek {

namespace {

FileResult decodeWithStb(const uint8_t* data, size_t size, Image& img)
{
    if (size > size_t(INT_MAX))
        return FileResult::failure("the file is too large");
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &w, &h, &channels))
        return FileResult::failure("not a picture format that can be read");
    if (!Image::sizeAllowed(w, h) || w == 0 || h == 0)
        return FileResult::failure("the picture is too large (" + std::to_string(w) + " x " +
                                   std::to_string(h) + ")");
    std::unique_ptr<stbi_uc, void (*)(void*)> rgb(
        stbi_load_from_memory(data, int(size), &w, &h, &channels, 3), stbi_image_free);
    if (!rgb) {
        const char* why = stbi_failure_reason();
        return FileResult::failure(std::string("damaged picture") + (why ? ": " : "") +
                                   (why ? why : ""));
    }
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

// Image::writePNGFile through stb_image_write, as safely as the BMP writer.
#include <stb/stb_image_write.h>

#include <vector>

#include "base/atomic_file.h"
#include "image/image.h"

namespace ovek {

FileResult Image::writePNGFile(const std::string& path) const
{
    if (width == 0 || height == 0)
        return FileResult::failure("an empty picture cannot be written as PNG");
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col) {
            const int c = getColor(col, row);
            uint8_t* p = &rgb[(size_t(row) * size_t(width) + size_t(col)) * 3];
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
        }
    return writeFileAtomically(path, [&](std::FILE* f) {
        struct Sink {
            std::FILE* f;
            bool ok;
        } sink{f, true};
        auto put = [](void* ctx, void* data, int size) {
            auto* s = static_cast<Sink*>(ctx);
            s->ok = s->ok && std::fwrite(data, 1, size_t(size), s->f) == size_t(size);
        };
        return stbi_write_png_to_func(put, &sink, width, height, 3, rgb.data(), width * 3) &&
               sink.ok;
    });
}

}  // namespace ovek

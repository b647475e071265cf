#include <stb/stb_image_write.h>

#include "image/atomic_file.h"
#include "image/image.h"

namespace ovek {

namespace {

void put16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t* p, uint32_t v)
{
    put16(p, v & 0xffff);
    put16(p + 2, v >> 16);
}

}  // namespace

FileResult Image::writeBMPFile(const std::string& path) const
{
    const uint32_t dataSize = uint32_t(stride) * uint32_t(height);
    uint8_t header[54] = {'B', 'M'};
    put32(header + 2, 54 + dataSize);
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, uint32_t(width));
    put32(header + 22, uint32_t(height));
    put16(header + 26, 1);
    put16(header + 28, 24);
    put32(header + 34, dataSize);
    // Padding bytes are never written by pixel operations; write them as 0.
    std::vector<uint8_t> data(pixels);
    for (int row = 0; row < height; ++row)
        for (int i = 3 * width; i < stride; ++i)
            data[size_t(row) * size_t(stride) + size_t(i)] = 0;
    return writeFileAtomically(path, [&](std::FILE* f) {
        return std::fwrite(header, 1, sizeof header, f) == sizeof header &&
               std::fwrite(data.data(), 1, data.size(), f) == data.size();
    });
}

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

#include "base/atomic_file.h"
#include "base/byte_order.h"
#include "image/image.h"

namespace ovek {

FileResult Image::writeBMPFile(const std::string& path) const
{
    const uint32_t dataSize = uint32_t(stride) * uint32_t(height);
    uint8_t header[54] = {'B', 'M'};
    putLE32(header + 2, 54 + dataSize);
    putLE32(header + 10, 54);
    putLE32(header + 14, 40);
    putLE32(header + 18, uint32_t(width));
    putLE32(header + 22, uint32_t(height));
    putLE16(header + 26, 1);
    putLE16(header + 28, 24);
    putLE32(header + 34, dataSize);
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

}  // namespace ovek

#include "animation/picture_sequence.h"

#include <cstdio>
#include <cstdlib>

#include "animation/numbered_name.h"
#include "base/atomic_file.h"

namespace ovek {

namespace {

// A frame's file, encoded beside the other frames' and written in order.
class EncodedPicture : public PreparedFrame {
public:
    std::string bytes;
};

}  // namespace

PictureSequenceWriter::PictureSequenceWriter(std::string name, PictureFormat format)
    : name_(std::move(name)), format_(format)
{
}

std::unique_ptr<PreparedFrame> PictureSequenceWriter::prepare(const Image& frame, int)
{
    char* data = nullptr;
    size_t size = 0;
    std::FILE* memory = open_memstream(&data, &size);
    if (!memory)
        return nullptr;
    const bool ok = writePicture(frame, format_, memory);
    const bool closed = std::fclose(memory) == 0;
    std::unique_ptr<EncodedPicture> encoded;
    if (ok && closed) {
        encoded = std::make_unique<EncodedPicture>();
        encoded->bytes.assign(data, size);
    }
    std::free(data);
    return encoded;
}

FileResult PictureSequenceWriter::write(PreparedFrame& frame, int index)
{
    const std::string& bytes = static_cast<EncodedPicture&>(frame).bytes;
    const std::string path = numberedName(name_, index);
    FileResult r = writeFileAtomically(path, [&bytes](std::FILE* f) {
        return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    });
    if (!r)
        r.error = path + ": " + r.error;
    return r;
}

}  // namespace ovek

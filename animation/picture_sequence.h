#pragma once
// Frames written as numbered picture files (out_000.png, out_001.png, ...)
// through the program's own picture writers: frame k is the file a single
// production with the same inputs writes.
#include <string>

#include "animation/frame_writer.h"
#include "image/picture_writer.h"

namespace ovek {

class PictureSequenceWriter : public FrameWriter {
public:
    // name: a numbered name (isNumberedName) numbering frame k as k.
    PictureSequenceWriter(std::string name, PictureFormat format);

    std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) override;
    // Each file is replaced only once it was written whole.
    FileResult write(PreparedFrame& frame, int index) override;
    FileResult finish() override { return FileResult::success(); }

private:
    std::string name_;
    PictureFormat format_;
};

}  // namespace ovek

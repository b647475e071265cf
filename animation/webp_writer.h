#pragma once
// Animated lossless WebP through libwebp's animation encoder. The container
// is written whole at the end, so the encoded frames (the file's own bytes)
// are held until then; the pictures themselves are not.
#include <cstdio>
#include <memory>

#include "animation/frame_writer.h"

struct WebPAnimEncoder;

namespace ovek {

struct WebPOptions {
    int fps = 12;       // frames a second
    int effort = 25;    // 0 to 100: compression effort, lossless either way
};

class WebPWriter : public FrameWriter {
public:
    WebPWriter(std::FILE* out, int width, int height, const WebPOptions& options);
    ~WebPWriter() override;
    WebPWriter(const WebPWriter&) = delete;
    WebPWriter& operator=(const WebPWriter&) = delete;

    std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) override;
    FileResult write(PreparedFrame& frame, int index) override;
    FileResult finish() override;

private:
    int timestamp(int index) const;

    std::FILE* out_;
    int width_;
    int height_;
    WebPOptions options_;
    WebPAnimEncoder* encoder_ = nullptr;
    int frames_ = 0;
};

}  // namespace ovek

#pragma once
// Video files through the FFmpeg libraries: H.264 where the build has it,
// otherwise another encoder the libraries offer, in MP4 or Matroska.
#include <cstdio>
#include <memory>
#include <string>

#include "animation/frame_writer.h"

namespace ovek {

enum class VideoContainer { MP4, MKV };

struct VideoOptions {
    VideoContainer container = VideoContainer::MP4;
    int fps = 12;          // frames a second
    int quality = 75;      // 0 to 100; 100 is (nearly) lossless
    bool seekable = true;  // false for a pipe: MP4 is then written in fragments
};

// The encoder a video of that size would use ("libx264"), or why none can.
FileResult videoEncoderFor(const VideoOptions& options, int width, int height,
                           std::string& encoder);

class VideoWriter : public FrameWriter {
public:
    VideoWriter(std::FILE* out, int width, int height, const VideoOptions& options);
    ~VideoWriter() override;
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // The encoder and the container's header, before the first frame.
    FileResult open();
    std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) override;
    FileResult write(PreparedFrame& frame, int index) override;
    FileResult finish() override;

private:
    struct Encoder;
    FileResult drain(bool flushing);

    std::FILE* out_;
    int width_;
    int height_;
    VideoOptions options_;
    std::unique_ptr<Encoder> e_;
};

}  // namespace ovek

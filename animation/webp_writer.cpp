#include "animation/webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

class WebPFrame : public PreparedFrame {
public:
    WebPFrame() { WebPPictureInit(&picture); }
    ~WebPFrame() override { WebPPictureFree(&picture); }
    WebPFrame(const WebPFrame&) = delete;
    WebPFrame& operator=(const WebPFrame&) = delete;
    WebPPicture picture;
};

}  // namespace

WebPWriter::WebPWriter(std::FILE* out, int width, int height, const WebPOptions& options)
    : out_(out), width_(width), height_(height), options_(options)
{
    WebPAnimEncoderOptions anim;
    if (!WebPAnimEncoderOptionsInit(&anim))
        return;
    anim.anim_params.loop_count = 0;   // forever
    anim.allow_mixed = 0;               // every frame lossless
    encoder_ = WebPAnimEncoderNew(width, height, &anim);
}

WebPWriter::~WebPWriter()
{
    if (encoder_)
        WebPAnimEncoderDelete(encoder_);
}

int WebPWriter::timestamp(int index) const
{
    return int(std::lround(1000.0 * index / options_.fps));
}

std::unique_ptr<PreparedFrame> WebPWriter::prepare(const Image& frame, int)
{
    auto prepared = std::make_unique<WebPFrame>();
    WebPPicture& pic = prepared->picture;
    pic.use_argb = 1;
    pic.width = frame.getWidth();
    pic.height = frame.getHeight();
    // The image's rows are stored bottom row first.
    const int h = frame.getHeight();
    std::vector<uint8_t> rows(size_t(frame.getWidth()) * 3 * size_t(h));
    const size_t rowBytes = size_t(frame.getWidth()) * 3;
    for (int y = 0; y < h; ++y)
        std::copy_n(&frame.pixels[size_t(h - 1 - y) * size_t(frame.stride)], rowBytes,
                    &rows[size_t(y) * rowBytes]);
    if (!WebPPictureImportBGR(&pic, rows.data(), int(rowBytes)))
        return nullptr;
    return prepared;
}

FileResult WebPWriter::write(PreparedFrame& frame, int index)
{
    if (!encoder_)
        return FileResult::failure("cannot start the WebP encoder");
    WebPPicture& pic = static_cast<WebPFrame&>(frame).picture;
    if (pic.width != width_ || pic.height != height_)
        return FileResult::failure("frame " + std::to_string(index) + " has another size");
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return FileResult::failure("cannot set up the WebP encoder");
    config.lossless = 1;
    config.quality = float(options_.effort);
    config.method = options_.effort * 6 / 100;
    config.thread_level = 1;
    if (!WebPAnimEncoderAdd(encoder_, &pic, timestamp(index), &config))
        return FileResult::failure(std::string("cannot encode a WebP frame: ") +
                                   WebPAnimEncoderGetError(encoder_));
    ++frames_;
    return FileResult::success();
}

FileResult WebPWriter::finish()
{
    if (!encoder_ || frames_ == 0)
        return FileResult::failure("the WebP has no frames");
    // The end time gives the last frame its duration.
    if (!WebPAnimEncoderAdd(encoder_, nullptr, timestamp(frames_), nullptr))
        return FileResult::failure(std::string("cannot finish the WebP: ") +
                                   WebPAnimEncoderGetError(encoder_));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder_, &data))
        return FileResult::failure(std::string("cannot finish the WebP: ") +
                                   WebPAnimEncoderGetError(encoder_));
    const bool written = std::fwrite(data.bytes, 1, data.size, out_) == data.size;
    WebPDataClear(&data);
    if (!written)
        return FileResult::failure("cannot write the WebP");
    return FileResult::success();
}

}  // namespace ovek

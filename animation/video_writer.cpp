#include "animation/video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <sys/stat.h>

#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

// H.264 first (browsers and players), then what else a build may offer.
const char* const kEncoders[] = {"libx264", "libopenh264", "libvpx-vp9", "mpeg4"};

std::string avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

const char* muxerName(VideoContainer c)
{
    return c == VideoContainer::MP4 ? "mp4" : "matroska";
}

// 4:2:0 where the size allows (what players expect), else 4:4:4, else the
// encoder's first format.
std::vector<AVPixelFormat> formatsToTry(const AVCodec* codec, int width, int height)
{
    std::vector<AVPixelFormat> wanted;
    if (width % 2 == 0 && height % 2 == 0)
        wanted.push_back(AV_PIX_FMT_YUV420P);
    wanted.push_back(AV_PIX_FMT_YUV444P);
    std::vector<AVPixelFormat> out;
    for (AVPixelFormat want : wanted)
        for (const AVPixelFormat* p = codec->pix_fmts; p && *p != AV_PIX_FMT_NONE; ++p)
            if (*p == want)
                out.push_back(want);
    if (codec->pix_fmts && codec->pix_fmts[0] != AV_PIX_FMT_NONE)
        out.push_back(codec->pix_fmts[0]);
    return out;
}

AVCodecContext* openEncoder(const AVCodec* codec, AVPixelFormat format, int width, int height,
                            const VideoOptions& o, bool globalHeader)
{
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    if (!ctx)
        return nullptr;
    ctx->width = width;
    ctx->height = height;
    ctx->pix_fmt = format;
    ctx->time_base = AVRational{1, o.fps};
    ctx->framerate = AVRational{o.fps, 1};
    // swscale's conversion uses these coefficients.
    ctx->colorspace = AVCOL_SPC_SMPTE170M;
    ctx->color_range = AVCOL_RANGE_MPEG;
    if (globalHeader)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int worse = 100 - o.quality;   // 0 best
    const std::string name = codec->name;
    if (name == "libx264" || name == "libx265") {
        av_opt_set_double(ctx->priv_data, "crf", 51.0 * worse / 100, 0);
        av_opt_set(ctx->priv_data, "preset", "veryfast", 0);
    } else if (name == "libvpx-vp9") {
        av_opt_set_int(ctx->priv_data, "crf", 63 * worse / 100, 0);
        ctx->bit_rate = 0;
    } else {
        ctx->flags |= AV_CODEC_FLAG_QSCALE;
        ctx->global_quality = FF_QP2LAMBDA * (1 + 30 * worse / 100);
    }
    if (avcodec_open2(ctx, codec, nullptr) < 0)
        avcodec_free_context(&ctx);
    return ctx;
}

// The first encoder of kEncoders that opens for this size and container.
AVCodecContext* chooseEncoder(const VideoOptions& o, int width, int height, bool globalHeader)
{
    const AVOutputFormat* muxer = av_guess_format(muxerName(o.container), nullptr, nullptr);
    if (!muxer)
        return nullptr;
    for (const char* name : kEncoders) {
        const AVCodec* codec = avcodec_find_encoder_by_name(name);
        if (!codec || avformat_query_codec(muxer, codec->id, FF_COMPLIANCE_NORMAL) != 1)
            continue;
        for (AVPixelFormat format : formatsToTry(codec, width, height))
            if (AVCodecContext* ctx = openEncoder(codec, format, width, height, o, globalHeader))
                return ctx;
    }
    return nullptr;
}

int writePacket(void* opaque, uint8_t* bytes, int size)
{
    auto* f = static_cast<std::FILE*>(opaque);
    return std::fwrite(bytes, 1, size_t(size), f) == size_t(size) ? size : AVERROR(EIO);
}

int64_t seekFile(void* opaque, int64_t offset, int whence)
{
    auto* f = static_cast<std::FILE*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat st;
        return std::fflush(f) == 0 && fstat(fileno(f), &st) == 0 ? int64_t(st.st_size) : -1;
    }
    if (fseeko(f, off_t(offset), whence & ~AVSEEK_FORCE) != 0)
        return -1;
    return int64_t(ftello(f));
}

class VideoFrame : public PreparedFrame {
public:
    VideoFrame() : frame(av_frame_alloc()) {}
    ~VideoFrame() override { av_frame_free(&frame); }
    VideoFrame(const VideoFrame&) = delete;
    VideoFrame& operator=(const VideoFrame&) = delete;
    AVFrame* frame;
};

}  // namespace

struct VideoWriter::Encoder {
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVPacket* packet = nullptr;
    bool headerWritten = false;

    ~Encoder()
    {
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (io) {
            av_freep(&io->buffer);
            avio_context_free(&io);
        }
        avformat_free_context(format);
    }
};

FileResult videoEncoderFor(const VideoOptions& options, int width, int height,
                           std::string& encoder)
{
    av_log_set_level(AV_LOG_ERROR);
    AVCodecContext* ctx = chooseEncoder(options, width, height, true);
    if (!ctx)
        return FileResult::failure(std::string("the FFmpeg libraries offer no video encoder for ") +
                                   (options.container == VideoContainer::MP4 ? "MP4" : "MKV") +
                                   " at " + std::to_string(width) + " x " +
                                   std::to_string(height));
    encoder = ctx->codec->name;
    avcodec_free_context(&ctx);
    return FileResult::success();
}

VideoWriter::VideoWriter(std::FILE* out, int width, int height, const VideoOptions& options)
    : out_(out), width_(width), height_(height), options_(options), e_(std::make_unique<Encoder>())
{
}

VideoWriter::~VideoWriter() = default;

FileResult VideoWriter::open()
{
    av_log_set_level(AV_LOG_ERROR);
    Encoder& e = *e_;
    if (avformat_alloc_output_context2(&e.format, nullptr, muxerName(options_.container),
                                       nullptr) < 0)
        return FileResult::failure("cannot start the video container");
    e.codec = chooseEncoder(options_, width_, height_,
                            (e.format->oformat->flags & AVFMT_GLOBALHEADER) != 0);
    if (!e.codec)
        return FileResult::failure("no video encoder opens at this size");
    e.stream = avformat_new_stream(e.format, nullptr);
    e.packet = av_packet_alloc();
    if (!e.stream || !e.packet ||
        avcodec_parameters_from_context(e.stream->codecpar, e.codec) < 0)
        return FileResult::failure("cannot set up the video stream");
    e.stream->time_base = e.codec->time_base;
    e.stream->avg_frame_rate = e.codec->framerate;
    constexpr int kBufferBytes = 1 << 16;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
    if (buffer)
        e.io = avio_alloc_context(buffer, kBufferBytes, 1, out_, nullptr, writePacket,
                                  options_.seekable ? seekFile : nullptr);
    if (!e.io) {
        av_free(buffer);
        return FileResult::failure("out of memory for the video output");
    }
    e.io->seekable = options_.seekable ? AVIO_SEEKABLE_NORMAL : 0;
    e.format->pb = e.io;
    e.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    AVDictionary* muxOptions = nullptr;
    // A pipe cannot be sought back to write the index: MP4 then comes in fragments.
    if (!options_.seekable && options_.container == VideoContainer::MP4)
        av_dict_set(&muxOptions, "movflags", "frag_keyframe+empty_moov+default_base_moof", 0);
    const int r = avformat_write_header(e.format, &muxOptions);
    av_dict_free(&muxOptions);
    if (r < 0)
        return FileResult::failure("cannot write the video header: " + avError(r));
    e.headerWritten = true;
    return FileResult::success();
}

std::unique_ptr<PreparedFrame> VideoWriter::prepare(const Image& frame, int)
{
    if (!e_->codec || frame.getWidth() != width_ || frame.getHeight() != height_)
        return nullptr;
    auto prepared = std::make_unique<VideoFrame>();
    AVFrame* f = prepared->frame;
    if (!f)
        return nullptr;
    f->width = width_;
    f->height = height_;
    f->format = e_->codec->pix_fmt;
    if (av_frame_get_buffer(f, 0) < 0)
        return nullptr;
    // A context of its own: frames are prepared on several threads at once.
    SwsContext* sws = sws_getContext(width_, height_, AV_PIX_FMT_BGR24, width_, height_,
                                     e_->codec->pix_fmt, SWS_BICUBIC | SWS_ACCURATE_RND, nullptr,
                                     nullptr, nullptr);
    if (!sws)
        return nullptr;
    // The image's rows are stored bottom row first: start at the top, step back.
    const uint8_t* source[1] = {&frame.pixels[size_t(height_ - 1) * size_t(frame.stride)]};
    const int step[1] = {-frame.stride};
    sws_scale(sws, source, step, 0, height_, f->data, f->linesize);
    sws_freeContext(sws);
    return prepared;
}

FileResult VideoWriter::drain(bool flushing)
{
    Encoder& e = *e_;
    for (;;) {
        const int r = avcodec_receive_packet(e.codec, e.packet);
        if (r == AVERROR(EAGAIN) || (flushing && r == AVERROR_EOF))
            return FileResult::success();
        if (r < 0)
            return FileResult::failure("cannot encode the video: " + avError(r));
        av_packet_rescale_ts(e.packet, e.codec->time_base, e.stream->time_base);
        e.packet->stream_index = e.stream->index;
        if (const int w = av_interleaved_write_frame(e.format, e.packet); w < 0)
            return FileResult::failure("cannot write the video: " + avError(w));
    }
}

FileResult VideoWriter::write(PreparedFrame& frame, int index)
{
    if (!e_->headerWritten)
        return FileResult::failure("the video was not opened");
    AVFrame* f = static_cast<VideoFrame&>(frame).frame;
    f->pts = index;
    if (const int r = avcodec_send_frame(e_->codec, f); r < 0)
        return FileResult::failure("cannot encode the video: " + avError(r));
    return drain(false);
}

FileResult VideoWriter::finish()
{
    if (!e_->headerWritten)
        return FileResult::failure("the video was not opened");
    if (const int r = avcodec_send_frame(e_->codec, nullptr); r < 0)
        return FileResult::failure("cannot finish the video: " + avError(r));
    if (FileResult r = drain(true); !r)
        return r;
    if (const int r = av_write_trailer(e_->format); r < 0)
        return FileResult::failure("cannot finish the video: " + avError(r));
    avio_flush(e_->io);
    if (e_->io->error < 0)
        return FileResult::failure("cannot write the video: " + avError(e_->io->error));
    return FileResult::success();
}

}  // namespace ovek

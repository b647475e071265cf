#include "animation/gif_writer.h"

#include <gif_lib.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

class GifFrame : public PreparedFrame {
public:
    std::shared_ptr<const ColourPalette> palette;   // null: still to be mapped
    std::vector<uint8_t> indices;                   // top row first
    std::unique_ptr<Image> pixels;                  // the frame, until it is mapped
};

int writeToFile(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* f = static_cast<std::FILE*>(gif->UserData);
    return int(std::fwrite(bytes, 1, size_t(length), f));
}

FileResult gifFailure(const char* what, int code)
{
    const char* why = GifErrorString(code);
    return FileResult::failure(std::string(what) + ": " + (why ? why : "giflib failed"));
}

// A colour map of a power of two entries, as GIF stores them.
ColorMapObject* colourMap(const ColourPalette& palette)
{
    int size = 2;
    while (size < int(palette.colours.size()))
        size *= 2;
    std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.colours.size(); ++i)
        colours[i] = {palette.colours[i][0], palette.colours[i][1], palette.colours[i][2]};
    return GifMakeMapObject(size, colours.data());
}

}  // namespace

GifWriter::GifWriter(std::FILE* out, int width, int height, const GifOptions& options)
    : out_(out), width_(width), height_(height), options_(options)
{
}

GifWriter::~GifWriter()
{
    if (gif_)
        EGifCloseFile(gif_, nullptr);
}

FileResult GifWriter::start(const ColourPalette* global)
{
    int error = 0;
    gif_ = EGifOpen(out_, writeToFile, &error);
    if (!gif_)
        return gifFailure("cannot start the GIF", error);
    EGifSetGifVersion(gif_, true);
    ColorMapObject* map = global ? colourMap(*global) : nullptr;
    if (global && !map)
        return FileResult::failure("out of memory for the GIF colours");
    const int written = EGifPutScreenDesc(gif_, width_, height_, 8, 0, map);
    GifFreeMapObject(map);
    if (written == GIF_ERROR)
        return gifFailure("cannot write the GIF header", gif_->Error);
    // The application block that makes viewers loop forever.
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(gif_, 3, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(gif_) == GIF_ERROR)
        return gifFailure("cannot write the GIF header", gif_->Error);
    return FileResult::success();
}

std::unique_ptr<PreparedFrame> GifWriter::prepare(const Image& frame, int)
{
    auto prepared = std::make_unique<GifFrame>();
    if (options_.colours == GifColours::PerFrame) {
        prepared->palette = std::make_shared<const ColourPalette>(paletteOf(frame));
    } else {
        std::lock_guard<std::mutex> lock(globalMutex_);
        prepared->palette = global_;
    }
    if (prepared->palette) {
        indexPixels(frame, *prepared->palette, options_.ordered, prepared->indices);
        return prepared;
    }
    prepared->pixels = std::make_unique<Image>(nullptr, frame.getWidth(), frame.getHeight());
    prepared->pixels->pixels = frame.pixels;
    return prepared;
}

FileResult GifWriter::write(PreparedFrame& frame, int index)
{
    auto& f = static_cast<GifFrame&>(frame);
    const bool global = options_.colours == GifColours::Global;
    if (!f.palette) {
        std::lock_guard<std::mutex> lock(globalMutex_);
        if (!global_)
            global_ = std::make_shared<const ColourPalette>(paletteOf(*f.pixels));
        f.palette = global_;
    }
    if (!gif_) {
        if (FileResult r = start(global ? f.palette.get() : nullptr); !r)
            return r;
    }
    if (f.pixels) {
        indexPixels(*f.pixels, *f.palette, options_.ordered, f.indices);
        f.pixels.reset();
    }
    if (f.indices.size() != size_t(width_) * size_t(height_))
        return FileResult::failure("frame " + std::to_string(index) + " has another size");
    // Delays in hundredths of a second, rounded so that they add up to the
    // time the frames should take.
    const int delay = int(std::lround(100.0 * (index + 1) / options_.fps) -
                          std::lround(100.0 * index / options_.fps));
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ColorMapObject* map = global ? nullptr : colourMap(*f.palette);
    if (!global && !map)
        return FileResult::failure("out of memory for the GIF colours");
    const bool ok = EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_ERROR &&
                    EGifPutImageDesc(gif_, 0, 0, width_, height_, false, map) != GIF_ERROR &&
                    EGifPutLine(gif_, f.indices.data(), width_ * height_) != GIF_ERROR;
    GifFreeMapObject(map);
    if (!ok)
        return gifFailure("cannot write a GIF frame", gif_->Error);
    return FileResult::success();
}

FileResult GifWriter::finish()
{
    if (!gif_)
        return FileResult::failure("the GIF has no frames");
    int error = 0;
    const int closed = EGifCloseFile(gif_, &error);
    gif_ = nullptr;
    if (closed == GIF_ERROR)
        return gifFailure("cannot finish the GIF", error);
    return FileResult::success();
}

}  // namespace ovek

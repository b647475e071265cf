#include "image/png_writer.h"

#include <png.h>

#include <csetjmp>

namespace ovek {

namespace {

void writeBytes(png_structp png, png_bytep data, size_t count)
{
    std::FILE* f = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, count, f) != count)
        png_error(png, "write failed");
}

void flushNothing(png_structp) {}

[[noreturn]] void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// The setjmp frames: C-style, owning nothing that needs a destructor.
bool writeHeader(png_structp png, png_infop info, int width, int height, const PNGSettings* s)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, s->level);
    png_set_compression_strategy(png, s->strategy);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, s->filters);
    png_write_info(png, info);
    png_set_bgr(png);
    return true;
}

bool writeRow(png_structp png, const uint8_t* row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_row(png, row);
    return true;
}

bool writeEnd(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_write_end(png, info);
    return true;
}

class PNGEncoder : public RowEncoder {
public:
    PNGEncoder(std::FILE* f, const PNGSettings& settings) : settings_(settings)
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
        if (info_)
            png_set_write_fn(png_, f, writeBytes, flushNothing);
    }
    ~PNGEncoder() override { png_destroy_write_struct(&png_, info_ ? &info_ : nullptr); }
    PNGEncoder(const PNGEncoder&) = delete;
    PNGEncoder& operator=(const PNGEncoder&) = delete;

    bool start(int width, int height) override
    {
        return info_ && width > 0 && height > 0 &&
               writeHeader(png_, info_, width, height, &settings_);
    }
    bool putRow(const uint8_t* bgr) override { return writeRow(png_, bgr); }
    bool finish() override { return writeEnd(png_, info_); }

private:
    PNGSettings settings_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

std::unique_ptr<RowEncoder> makePNGEncoder(std::FILE* f, const PNGSettings& settings)
{
    return std::make_unique<PNGEncoder>(f, settings);
}

}  // namespace ovek

#include "image/jpeg_writer.h"

#include "image/jpeg_error.h"

namespace ovek {

namespace {

struct Writer {
    jpeg_compress_struct info;
    JPEGError error;
};

// The setjmp frames: C-style, owning nothing that needs a destructor.
bool create(Writer* w, std::FILE* f)
{
    w->info.err = quietJPEGErrors(w->error);
    if (setjmp(w->error.jump))
        return false;
    jpeg_create_compress(&w->info);
    jpeg_stdio_dest(&w->info, f);
    return true;
}

bool writeHeader(Writer* w, int width, int height, int quality)
{
    if (setjmp(w->error.jump))
        return false;
    w->info.image_width = JDIMENSION(width);
    w->info.image_height = JDIMENSION(height);
    w->info.input_components = 3;
    w->info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&w->info);
    jpeg_set_quality(&w->info, quality, TRUE);
    w->info.comp_info[0].h_samp_factor = 1;
    w->info.comp_info[0].v_samp_factor = 1;
    jpeg_start_compress(&w->info, TRUE);
    return true;
}

bool writeRow(Writer* w, const uint8_t* bgr)
{
    if (setjmp(w->error.jump))
        return false;
    // libjpeg reads the row without changing it.
    JSAMPROW row = const_cast<JSAMPROW>(bgr);
    return jpeg_write_scanlines(&w->info, &row, 1) == 1;
}

bool writeEnd(Writer* w)
{
    if (setjmp(w->error.jump))
        return false;
    jpeg_finish_compress(&w->info);
    return true;
}

class JPEGEncoder : public RowEncoder {
public:
    JPEGEncoder(std::FILE* f, int quality) : quality_(quality), created_(create(&w_, f)) {}
    ~JPEGEncoder() override { jpeg_destroy_compress(&w_.info); }
    JPEGEncoder(const JPEGEncoder&) = delete;
    JPEGEncoder& operator=(const JPEGEncoder&) = delete;

    bool start(int width, int height) override
    {
        return created_ && width > 0 && height > 0 && writeHeader(&w_, width, height, quality_);
    }
    bool putRow(const uint8_t* bgr) override { return writeRow(&w_, bgr); }
    bool finish() override { return writeEnd(&w_); }

private:
    Writer w_{};
    int quality_;
    bool created_;
};

}  // namespace

std::unique_ptr<RowEncoder> makeJPEGEncoder(std::FILE* f, int quality)
{
    return std::make_unique<JPEGEncoder>(f, quality);
}

}  // namespace ovek

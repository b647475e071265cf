#include "image/jpeg_reader.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/image.h"
#include "image/jpeg_error.h"

namespace ovek {

namespace {

// The whole-picture buffers of a progressive file are refused past this.
constexpr long kMaxJPEGMemory = 1L << 30;
// A progressive file may repeat scans without end; each costs a pass over
// the picture.
constexpr int kMaxScans = 1000;

struct Reader {
    jpeg_decompress_struct info;
    JPEGError error;
    jpeg_progress_mgr progress;
};

void onProgress(j_common_ptr c)
{
    j_decompress_ptr d = reinterpret_cast<j_decompress_ptr>(c);
    if (d->input_scan_number > kMaxScans) {
        JPEGError* e = reinterpret_cast<JPEGError*>(c->err);
        std::snprintf(e->why, sizeof e->why, "more than %d scans", kMaxScans);
        std::longjmp(e->jump, 1);
    }
}

// The setjmp frames: C-style, owning nothing that needs a destructor.
bool create(Reader* r)
{
    r->info.err = quietJPEGErrors(r->error);
    if (setjmp(r->error.jump))
        return false;
    jpeg_create_decompress(&r->info);
    r->info.mem->max_memory_to_use = kMaxJPEGMemory;
    r->progress.progress_monitor = onProgress;
    r->info.progress = &r->progress;
    return true;
}

bool readHeader(Reader* r)
{
    if (setjmp(r->error.jump))
        return false;
    jpeg_read_header(&r->info, TRUE);
    switch (r->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        r->info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        r->info.out_color_space = JCS_EXT_RGB;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        r->info.out_color_space = JCS_CMYK;
        break;
    default:
        r->info.out_color_space = JCS_UNKNOWN;
        return true;
    }
    jpeg_calc_output_dimensions(&r->info);
    return true;
}

bool startPixels(Reader* r)
{
    if (setjmp(r->error.jump))
        return false;
    jpeg_start_decompress(&r->info);
    return true;
}

bool readRow(Reader* r, JSAMPLE* row)
{
    if (setjmp(r->error.jump))
        return false;
    // A source in memory never suspends: no row means no more data.
    if (jpeg_read_scanlines(&r->info, &row, 1) == 1)
        return true;
    std::snprintf(r->error.why, sizeof r->error.why, "no more rows");
    return false;
}

bool finish(Reader* r)
{
    if (setjmp(r->error.jump))
        return false;
    jpeg_finish_decompress(&r->info);
    return true;
}

// x * y / 255, rounded: how far ink of strength x lets light through.
uint8_t multiply(uint8_t x, uint8_t y)
{
    const unsigned t = unsigned(x) * y + 128;
    return uint8_t((t + (t >> 8)) >> 8);
}

class Decompressor {
public:
    Decompressor() : created_(create(&r_)) {}
    ~Decompressor() { jpeg_destroy_decompress(&r_.info); }
    bool created() const { return created_; }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    Reader* get() { return &r_; }

private:
    Reader r_{};
    bool created_;
};

FileResult damaged(const Reader& r)
{
    if (std::strstr(r.error.why, "Insufficient memory") || std::strstr(r.error.why, "Backing store"))
        return FileResult::failure("not enough memory to read the JPEG file");
    return FileResult::failure(std::string("the JPEG file is cut short or damaged (") +
                               r.error.why + ")");
}

}  // namespace

FileResult readJPEG(const uint8_t* data, size_t size, PictureRows& rows)
{
    Decompressor d;
    Reader* r = d.get();
    if (!d.created())
        return FileResult::failure("not enough memory to read the JPEG file");
    jpeg_mem_src(&r->info, data, static_cast<unsigned long>(size));
    if (!readHeader(r))
        return damaged(*r);
    if (r->info.out_color_space == JCS_UNKNOWN)
        return FileResult::failure("the JPEG file stores its colours in a way this program "
                                   "cannot read (" +
                                   std::to_string(r->info.num_components) + " components)");
    const JDIMENSION w = r->info.output_width, h = r->info.output_height;
    if (!Image::sizeAllowed(w, h) || w == 0 || h == 0)
        return pictureTooLarge(w, h);
    if (FileResult started = rows.start(int(w), int(h), false); !started)
        return started;
    std::vector<uint8_t> decoded, rgb;
    try {
        decoded.resize(size_t(w) * 4);
        rgb.resize(size_t(w) * 3);
    } catch (const std::bad_alloc&) {
        return FileResult::failure("not enough memory to read the JPEG file");
    }
    if (!startPixels(r))
        return damaged(*r);
    const int components = r->info.output_components;
    for (JDIMENSION y = 0; y < h; ++y) {
        if (!readRow(r, decoded.data()))
            return damaged(*r);
        const uint8_t* in = decoded.data();
        uint8_t* out = rgb.data();
        if (components == 3) {
            rows.putRow(in);
            continue;
        }
        for (JDIMENSION x = 0; x < w; ++x, in += components, out += 3) {
            if (components == 4) {
                // Inverted CMYK, as Adobe programs store it: 255 is no ink.
                out[0] = multiply(in[0], in[3]);
                out[1] = multiply(in[1], in[3]);
                out[2] = multiply(in[2], in[3]);
            } else {
                out[0] = out[1] = out[2] = in[0];
            }
        }
        rows.putRow(rgb.data());
    }
    if (!finish(r))
        return damaged(*r);
    return FileResult::success();
}

}  // namespace ovek

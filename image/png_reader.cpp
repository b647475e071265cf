#include "image/png_reader.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

// Ancillary chunks (text, profiles) larger than this are refused by libpng.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t(8) << 20;
// An interlaced picture is gathered whole before its rows go out.
constexpr size_t kMaxInterlacedBytes = size_t(1) << 30;

// Everything the guarded calls below share with libpng's callbacks. Plain
// data only: libpng leaves those calls by longjmp.
struct PNGState {
    const uint8_t* data;
    size_t size;
    size_t at;
    char why[160];  // libpng's reason for stopping
};

void readBytes(png_structp png, png_bytep out, size_t count)
{
    PNGState* s = static_cast<PNGState*>(png_get_io_ptr(png));
    if (count > s->size - s->at)
        png_error(png, "the file ends early");
    std::memcpy(out, s->data + s->at, count);
    s->at += count;
}

[[noreturn]] void onError(png_structp png, png_const_charp message)
{
    PNGState* s = static_cast<PNGState*>(png_get_error_ptr(png));
    std::snprintf(s->why, sizeof s->why, "%s", message);
    png_longjmp(png, 1);
}

// Warnings (a damaged text chunk, an unknown profile) change nothing we read.
void onWarning(png_structp, png_const_charp) {}

struct Layout {
    png_uint_32 width, height;
    int channels;   // after the transformations: 1 to 4
    int depth;      // 8 or 16
    int passes;     // 7 when interlaced
    size_t rowBytes;
};

// The setjmp frames: C-style, owning nothing that needs a destructor.
bool readHeader(png_structp png, png_infop info, Layout* out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    // Palette and low-depth grey to 8 bits; 16-bit samples in the machine's
    // byte order. Gamma, colour profiles and transparency are not applied.
    png_set_palette_to_rgb(png);
    png_set_expand_gray_1_2_4_to_8(png);
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (png_get_bit_depth(png, info) == 16)
        png_set_swap(png);
#endif
    out->passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    out->width = png_get_image_width(png, info);
    out->height = png_get_image_height(png, info);
    out->channels = png_get_channels(png, info);
    out->depth = png_get_bit_depth(png, info);
    out->rowBytes = png_get_rowbytes(png, info);
    return true;
}

bool readRows(png_structp png, const Layout* l, png_bytep rows, size_t rowStep)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    for (int pass = 0; pass < l->passes; ++pass)
        for (png_uint_32 y = 0; y < l->height; ++y)
            png_read_row(png, rows + size_t(y) * rowStep, nullptr);
    return true;
}

bool readEnd(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_end(png, info);
    return true;
}

// One decoded row as red, green, blue for the target; alpha is dropped and
// grey is repeated.
template <typename T>
void toRGB(const T* in, int channels, size_t width, T* out)
{
    for (size_t x = 0; x < width; ++x, in += channels, out += 3) {
        const bool grey = channels < 3;
        out[0] = in[0];
        out[1] = grey ? in[0] : in[1];
        out[2] = grey ? in[0] : in[2];
    }
}

FileResult damaged(const PNGState& s)
{
    if (std::strstr(s.why, "memory"))
        return FileResult::failure("not enough memory to read the PNG file");
    if (std::strstr(s.why, "exceeds user limit"))
        return FileResult::failure("the picture is too large (more than " +
                                   std::to_string(Image::kMaxSide) + " pixels on a side)");
    return FileResult::failure(std::string("the PNG file is cut short or damaged (") + s.why +
                               ")");
}

class ReadStruct {
public:
    explicit ReadStruct(PNGState& state)
    {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
        if (png_)
            info_ = png_create_info_struct(png_);
    }
    ~ReadStruct() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    ReadStruct(const ReadStruct&) = delete;
    ReadStruct& operator=(const ReadStruct&) = delete;
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

FileResult readPNG(const uint8_t* data, size_t size, PictureRows& rows)
{
    PNGState state{data, size, 0, {}};
    ReadStruct rs(state);
    png_structp png = rs.png();
    if (!png || !rs.info())
        return FileResult::failure("not enough memory to read the PNG file");
    png_set_read_fn(png, &state, readBytes);
    png_set_user_limits(png, Image::kMaxSide, Image::kMaxSide);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    // Nothing but the pixels is used: every ancillary chunk but tRNS is passed
    // over unread, so that a text chunk claiming gigabytes costs nothing.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    Layout l{};
    if (!readHeader(png, rs.info(), &l))
        return damaged(state);
    if (!Image::sizeAllowed(l.width, l.height))
        return pictureTooLarge(l.width, l.height);
    const bool interlaced = l.passes > 1;
    if (interlaced && l.rowBytes > kMaxInterlacedBytes / l.height)
        return pictureTooLarge(l.width, l.height);
    const bool deep = l.depth == 16;
    if (FileResult r = rows.start(int(l.width), int(l.height), deep); !r)
        return r;
    // 16-bit storage, so that 16-bit rows are read as what they hold.
    std::vector<uint16_t> decoded, rgb16;
    std::vector<uint8_t> rgb;
    try {
        decoded.resize((l.rowBytes * (interlaced ? l.height : 1) + 1) / 2);
        if (deep)
            rgb16.resize(size_t(l.width) * 3);
        else
            rgb.resize(size_t(l.width) * 3);
    } catch (const std::bad_alloc&) {
        return FileResult::failure("not enough memory to read the PNG file");
    }
    uint8_t* const bytes = reinterpret_cast<uint8_t*>(decoded.data());
    auto deliver = [&](size_t y) {
        if (deep) {
            toRGB(decoded.data() + y * l.rowBytes / 2, l.channels, l.width, rgb16.data());
            rows.putRow16(rgb16.data());
        } else if (l.channels == 3) {
            rows.putRow(bytes + y * l.rowBytes);
        } else {
            toRGB(bytes + y * l.rowBytes, l.channels, l.width, rgb.data());
            rows.putRow(rgb.data());
        }
    };
    if (interlaced) {
        if (!readRows(png, &l, bytes, l.rowBytes))
            return damaged(state);
        for (size_t y = 0; y < l.height; ++y)
            deliver(y);
    } else {
        // One row at a time: its own one-row frame, so the row goes out between.
        Layout one = l;
        one.height = 1;
        for (size_t y = 0; y < l.height; ++y) {
            if (!readRows(png, &one, bytes, 0))
                return damaged(state);
            deliver(0);
        }
    }
    // Through to the end, so that a file cut after its pixels is refused too.
    if (!readEnd(png, rs.info()))
        return damaged(state);
    return FileResult::success();
}

}  // namespace ovek

// BMP run-length decoding: a run is a count and one value; a zero count
// introduces end of line (0), end of picture (1), a jump (2, dx, dy) or a
// literal run of that many values padded to an even number of bytes.
#include "image/bmp_rle.h"

#include <cstring>

namespace ovek {

namespace {

class RleWriter {
public:
    RleWriter(const BMPHeader& header, const BMPPalette& palette, uint8_t* out, size_t stride)
        : encoding_(header.encoding), width_(size_t(header.width)), rows_(size_t(header.height)),
          palette_(palette), out_(out), stride_(stride)
    {
    }

    // Bytes that hold n values of a literal run, before padding.
    size_t literalBytes(size_t n) const
    {
        switch (encoding_) {
        case BMPEncoding::Rle4: return (n + 1) / 2;
        case BMPEncoding::Rle24: return 3 * n;
        default: return n;
        }
    }
    size_t runValueBytes() const { return encoding_ == BMPEncoding::Rle24 ? 3 : 1; }

    bool fits(size_t n) const { return row_ < rows_ && n <= width_ - x_; }
    // Writes value i of src: for a literal run the i-th value, for a repeated
    // run (RLE4 alternates the two nibbles of its byte) i picks the nibble.
    void put(const uint8_t* src, size_t i)
    {
        uint8_t* dst = out_ + row_ * stride_ + 3 * x_++;
        switch (encoding_) {
        case BMPEncoding::Rle24: std::memcpy(dst, src + 3 * i, 3); return;
        case BMPEncoding::Rle4: copyEntry(dst, (src[i / 2] >> (i % 2 ? 0 : 4)) & 15); return;
        default: copyEntry(dst, src[i]); return;
        }
    }
    void endLine()
    {
        x_ = 0;
        if (row_ < rows_)
            ++row_;
    }
    bool jump(size_t dx, size_t dy)
    {
        if (dx > width_ - x_ || dy > rows_ - row_)
            return false;
        x_ += dx;
        row_ += dy;
        return true;
    }
    bool finished() const { return row_ >= rows_; }

private:
    void copyEntry(uint8_t* dst, size_t index) { std::memcpy(dst, palette_[index].data(), 3); }

    BMPEncoding encoding_;
    size_t width_;
    size_t rows_;
    const BMPPalette& palette_;
    uint8_t* out_;
    size_t stride_;
    size_t x_ = 0;    // invariant: x_ <= width_
    size_t row_ = 0;  // counted from the bottom; invariant: row_ <= rows_
};

FileResult cutShort() { return FileResult::failure("the run-length coded data is cut short"); }
FileResult pastRow() { return FileResult::failure("a run goes past the end of a row"); }

}  // namespace

FileResult decodeBMPRle(const BMPHeader& header, const uint8_t* data, size_t size,
                        const BMPPalette& palette, uint8_t* out, size_t stride)
{
    RleWriter writer(header, palette, out, stride);
    size_t at = header.dataOffset;
    // Every pass takes at least one byte and at never decreases, so the loop
    // ends on any input.
    while (at < size) {
        const size_t count = data[at++];
        if (count > 0) {
            const size_t valueBytes = writer.runValueBytes();
            if (size - at < valueBytes)
                return cutShort();
            if (!writer.fits(count))
                return pastRow();
            const bool nibbles = header.encoding == BMPEncoding::Rle4;
            for (size_t i = 0; i < count; ++i)
                writer.put(data + at, nibbles ? i % 2 : 0);
            at += valueBytes;
            continue;
        }
        if (at == size)
            return cutShort();
        const size_t code = data[at++];
        if (code == 0) {
            writer.endLine();
        } else if (code == 1) {
            return FileResult::success();
        } else if (code == 2) {
            if (size - at < 2)
                return cutShort();
            if (!writer.jump(data[at], data[at + 1]))
                return FileResult::failure("a jump goes past the picture");
            at += 2;
        } else {
            const size_t bytes = writer.literalBytes(code);
            if (size - at < bytes)
                return cutShort();
            if (!writer.fits(code))
                return pastRow();
            for (size_t i = 0; i < code; ++i)
                writer.put(data + at, i);
            // A missing pad byte at the very end of the file does no harm.
            at += bytes + (bytes % 2 == 1 && size - at > bytes ? 1 : 0);
        }
    }
    // Without an end-of-picture code the data must at least cover every row.
    return writer.finished() ? FileResult::success() : cutShort();
}

}  // namespace ovek

#include "image/pnm_reader.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

// Header numbers past this are refused rather than accumulated further.
constexpr uint32_t kMaxHeaderNumber = 1u << 30;

bool isSpace(uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

// Reads forwards through the file; never past its end.
class Cursor {
public:
    Cursor(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

    size_t left() const { return size_t(end_ - p_); }
    const uint8_t* at() const { return p_; }
    void skip(size_t n) { p_ += n; }

    // White space and comments (from # to the end of the line).
    void skipSpace()
    {
        while (p_ < end_ && (isSpace(*p_) || *p_ == '#')) {
            if (*p_ == '#')
                while (p_ < end_ && *p_ != '\n')
                    ++p_;
            else
                ++p_;
        }
    }

    // A decimal number after white space; false when there is none or it is
    // larger than most.
    bool number(uint32_t most, uint32_t& value)
    {
        skipSpace();
        if (p_ == end_ || !isDigit(*p_))
            return false;
        uint64_t v = 0;
        while (p_ < end_ && isDigit(*p_)) {
            v = v * 10 + uint64_t(*p_++ - '0');
            if (v > most)
                return false;
        }
        value = uint32_t(v);
        return true;
    }

    // One plain bitmap digit: they need no space between them.
    bool bit(uint32_t& value)
    {
        skipSpace();
        if (p_ == end_ || (*p_ != '0' && *p_ != '1'))
            return false;
        value = uint32_t(*p_++ - '0');
        return true;
    }

    // A PAM header line's first word and the rest of the line.
    bool line(std::string& key, std::string& value)
    {
        skipSpace();
        const uint8_t* start = p_;
        while (p_ < end_ && !isSpace(*p_))
            ++p_;
        key.assign(start, p_);
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\t'))
            ++p_;
        start = p_;
        while (p_ < end_ && *p_ != '\n')
            ++p_;
        value.assign(start, p_);
        if (p_ == end_)
            return false;
        ++p_;
        return true;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

struct Header {
    char kind = 0;          // '1' to '7'
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 0;     // samples a pixel: 1 to 4
    uint32_t maxval = 0;    // 1 to 65535
    bool bitmap = false;    // P1, P4: 1 is black
};

FileResult damaged(const std::string& why)
{
    return FileResult::failure("the PNM file is cut short or damaged (" + why + ")");
}

FileResult readPAMHeader(Cursor& c, Header& h)
{
    std::string key, value;
    bool widthSeen = false, heightSeen = false, depthSeen = false, maxvalSeen = false;
    for (int lines = 0;; ++lines) {
        if (lines > 1000 || !c.line(key, value))
            return damaged("the header has no ENDHDR line");
        if (key == "ENDHDR")
            break;
        if (key == "TUPLTYPE")
            continue;
        Cursor field(reinterpret_cast<const uint8_t*>(value.data()), value.size());
        uint32_t v = 0;
        if (!field.number(kMaxHeaderNumber, v))
            continue;
        if (key == "WIDTH")
            h.width = v, widthSeen = true;
        else if (key == "HEIGHT")
            h.height = v, heightSeen = true;
        else if (key == "DEPTH")
            h.depth = v, depthSeen = true;
        else if (key == "MAXVAL")
            h.maxval = v, maxvalSeen = true;
    }
    if (!widthSeen || !heightSeen || !depthSeen || !maxvalSeen)
        return damaged("the header lacks WIDTH, HEIGHT, DEPTH or MAXVAL");
    if (h.depth < 1 || h.depth > 4)
        return FileResult::failure("the PAM file has " + std::to_string(h.depth) +
                                   " samples a pixel; this program reads 1 to 4");
    return FileResult::success();
}

FileResult readHeader(Cursor& c, Header& h)
{
    h.kind = char(c.at()[1]);
    c.skip(2);
    if (h.kind == '7') {
        if (FileResult r = readPAMHeader(c, h); !r)
            return r;
    } else {
        h.bitmap = h.kind == '1' || h.kind == '4';
        h.depth = h.kind == '3' || h.kind == '6' ? 3 : 1;
        if (!c.number(kMaxHeaderNumber, h.width) || !c.number(kMaxHeaderNumber, h.height))
            return damaged("the width or height is missing or too large");
        h.maxval = 1;
        if (!h.bitmap && !c.number(kMaxHeaderNumber, h.maxval))
            return damaged("no largest value in the header");
        // Exactly one white space character before binary samples.
        if (h.kind >= '4') {
            if (c.left() == 0 || !isSpace(*c.at()))
                return damaged("no space after the header");
            c.skip(1);
        }
    }
    if (h.maxval < 1 || h.maxval > 65535)
        return damaged("the largest value " + std::to_string(h.maxval) +
                       " is not 1 to 65535");
    if (!Image::sizeAllowed(h.width, h.height) || h.width == 0 || h.height == 0)
        return pictureTooLarge(h.width, h.height);
    return FileResult::success();
}

// Samples of the file, read one row at a time into 16-bit values (not yet
// scaled); false when the file ends first.
class SampleReader {
public:
    SampleReader(Cursor& c, const Header& h) : c_(c), h_(h) {}

    bool row(uint32_t* out)
    {
        const size_t n = size_t(h_.width) * h_.depth;
        switch (h_.kind) {
        case '1':
            for (size_t i = 0; i < n; ++i)
                if (!c_.bit(out[i]))
                    return false;
            return true;
        case '2':
        case '3':
            for (size_t i = 0; i < n; ++i)
                if (!c_.number(UINT32_MAX / 16, out[i]))
                    return false;
            return true;
        case '4': {
            const size_t bytes = (n + 7) / 8;
            if (c_.left() < bytes)
                return false;
            for (size_t i = 0; i < n; ++i)
                out[i] = (c_.at()[i / 8] >> (7 - i % 8)) & 1;
            c_.skip(bytes);
            return true;
        }
        default: {
            const size_t size = h_.maxval > 255 ? 2 : 1;
            if (c_.left() / size < n)
                return false;
            const uint8_t* p = c_.at();
            for (size_t i = 0; i < n; ++i)
                out[i] = size == 2 ? uint32_t(p[2 * i]) << 8 | p[2 * i + 1] : p[i];
            c_.skip(n * size);
            return true;
        }
        }
    }

    // The least the rest of the file must hold for all rows: a byte a plain
    // sample (a digit), the packed rows of a binary one.
    bool enoughFor(uint32_t rows) const
    {
        const size_t n = size_t(h_.width) * h_.depth;
        const size_t perRow = h_.kind == '4'                         ? (n + 7) / 8
                              : h_.kind <= '3'                       ? n
                              : h_.maxval > 255                      ? 2 * n
                                                                     : n;
        return c_.left() / perRow >= rows;
    }

private:
    Cursor& c_;
    const Header& h_;
};

}  // namespace

bool looksLikePNM(const uint8_t* data, size_t size)
{
    return size >= 3 && data[0] == 'P' && data[1] >= '1' && data[1] <= '7' && isSpace(data[2]);
}

FileResult readPNM(const uint8_t* data, size_t size, PictureRows& rows)
{
    if (!looksLikePNM(data, size))
        return FileResult::failure("not a PNM file");
    Cursor c(data, size);
    Header h;
    if (FileResult r = readHeader(c, h); !r)
        return r;
    SampleReader samples(c, h);
    if (!samples.enoughFor(h.height))
        return damaged("the file ends before the last row");
    const bool deep = h.maxval > 255;
    if (FileResult r = rows.start(int(h.width), int(h.height), deep); !r)
        return r;
    const size_t w = h.width;
    std::vector<uint32_t> raw(w * h.depth);
    std::vector<uint8_t> rgb(deep ? 0 : w * 3);
    std::vector<uint16_t> rgb16(deep ? w * 3 : 0);
    // Samples scaled to the full range of their depth; values past maxval
    // count as maxval.
    const uint32_t full = deep ? 65535 : 255;
    auto scale = [&](uint32_t v) {
        v = v > h.maxval ? h.maxval : v;
        if (h.bitmap)
            v = 1 - v;
        return (v * full + h.maxval / 2) / h.maxval;
    };
    for (uint32_t y = 0; y < h.height; ++y) {
        if (!samples.row(raw.data()))
            return damaged("the file ends before the last row");
        for (size_t x = 0; x < w; ++x) {
            const uint32_t* s = &raw[x * h.depth];
            // One or two samples are grey (and alpha), three or four colour (and alpha).
            const bool grey = h.depth < 3;
            const uint32_t r = scale(s[0]), g = scale(grey ? s[0] : s[1]),
                           b = scale(grey ? s[0] : s[2]);
            if (deep) {
                rgb16[3 * x] = uint16_t(r), rgb16[3 * x + 1] = uint16_t(g), rgb16[3 * x + 2] = uint16_t(b);
            } else {
                rgb[3 * x] = uint8_t(r), rgb[3 * x + 1] = uint8_t(g), rgb[3 * x + 2] = uint8_t(b);
            }
        }
        if (deep)
            rows.putRow16(rgb16.data());
        else
            rows.putRow(rgb.data());
    }
    return FileResult::success();
}

}  // namespace ovek

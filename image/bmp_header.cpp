#include "image/bmp_header.h"

#include <algorithm>
#include <string>

#include "base/byte_order.h"
#include "image/image.h"

namespace ovek {

namespace {

constexpr size_t kFileHeaderBytes = 14;


// The information header. OS/2 2.x headers may stop after any field; the
// fields they leave out read as 0.
struct InfoFields {
    const uint8_t* p;
    size_t size;
    uint32_t u16(size_t at) const { return at + 2 <= size ? getLE16(p + at) : 0; }
    uint32_t u32(size_t at) const { return at + 4 <= size ? getLE32(p + at) : 0; }
};

enum class Flavour { Os2v1, Os2v2, Windows };

FileResult fail(const std::string& why) { return FileResult::failure(why); }

std::string sizeText(int64_t w, int64_t h)
{
    return std::to_string(w) + " x " + std::to_string(h);
}

bool readFlavour(uint32_t infoSize, Flavour& flavour)
{
    if (infoSize == 12)
        flavour = Flavour::Os2v1;
    else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124)
        flavour = Flavour::Windows;
    else if (infoSize >= 16 && infoSize <= 64)
        flavour = Flavour::Os2v2;
    else
        return false;
    return true;
}

// A mask's bits must form one unbroken run for the channel to have a value.
bool contiguous(uint32_t mask)
{
    while (mask != 0 && (mask & 1) == 0)
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

// Picks the pixel encoding from the compression code. maskBytes is set to the
// bytes of channel masks stored after a header too short to hold them.
FileResult readEncoding(const InfoFields& info, Flavour flavour, uint32_t compression,
                        BMPHeader& out, size_t& maskBytes)
{
    const int bits = out.bitCount;
    const std::string bitText = std::to_string(bits) + " bits per pixel";
    maskBytes = 0;
    switch (compression) {
    case 0:
        if (bits == 1 || bits == 2 || bits == 4 || bits == 8)
            out.encoding = BMPEncoding::Palette;
        else if (bits == 24)
            out.encoding = BMPEncoding::Rgb24;
        else if (bits == 16 || bits == 32) {
            out.encoding = BMPEncoding::Bitfields;
            if (bits == 16) {
                out.masks[0] = 0x7c00;
                out.masks[1] = 0x03e0;
                out.masks[2] = 0x001f;
            } else {
                out.masks[0] = 0xff0000;
                out.masks[1] = 0x00ff00;
                out.masks[2] = 0x0000ff;
            }
        } else
            return fail("unsupported bit count: " + bitText);
        return FileResult::success();
    case 1:
    case 2: {
        const int need = compression == 1 ? 8 : 4;
        if (bits != need)
            return fail("run-length coding " + std::to_string(need) + "-bit pixels with " + bitText);
        out.encoding = compression == 1 ? BMPEncoding::Rle8 : BMPEncoding::Rle4;
        return FileResult::success();
    }
    case 3:
    case 6:
        if (flavour == Flavour::Os2v2)  // OS/2 gives 3 another meaning and has no 6
            return fail(compression == 3 ? "Huffman-coded BMP files are not supported"
                                         : "unknown BMP compression 6");
        if (bits != 16 && bits != 32)
            return fail("colour masks with " + bitText);
        out.encoding = BMPEncoding::Bitfields;
        if (info.size >= 52) {
            for (size_t i = 0; i < 3; ++i)
                out.masks[i] = info.u32(40 + 4 * i);
        } else
            maskBytes = compression == 3 ? 12 : 16;  // read by the caller
        return FileResult::success();
    case 4:
        if (flavour == Flavour::Os2v2) {  // the OS/2 meaning of 4
            if (bits != 24)
                return fail("24-bit run-length coding with " + bitText);
            out.encoding = BMPEncoding::Rle24;
            return FileResult::success();
        }
        return fail("BMP files holding a JPEG picture are not supported");
    case 5:
        return fail("BMP files holding a PNG picture are not supported");
    default:
        return fail("unknown BMP compression " + std::to_string(compression));
    }
}

FileResult checkMasks(const uint32_t (&masks)[3])
{
    if ((masks[0] | masks[1] | masks[2]) == 0)
        return fail("all colour masks are empty");
    for (uint32_t m : masks)
        if (!contiguous(m))
            return fail("a colour mask has gaps in it");
    return FileResult::success();
}

}  // namespace

FileResult readBMPHeader(const uint8_t* data, size_t size, BMPHeader& out)
{
    out = BMPHeader();
    // An OS/2 bitmap array puts a 14-byte entry before the first picture's own
    // file header; offsets in that header still count from the file start.
    const size_t base = size >= 2 && data[0] == 'B' && data[1] == 'A' ? kFileHeaderBytes : 0;
    if (size < base + kFileHeaderBytes + 4)
        return fail("the file is cut short in its header");
    if (data[base] != 'B' || data[base + 1] != 'M')
        return fail(base ? "the bitmap array holds no BMP picture" : "not a BMP file");
    const size_t infoAt = base + kFileHeaderBytes;
    const uint32_t infoSize = getLE32(data + infoAt);
    Flavour flavour = Flavour::Windows;
    if (!readFlavour(infoSize, flavour))
        return fail("unknown BMP header size " + std::to_string(infoSize));
    if (size - infoAt < infoSize)
        return fail("the file is cut short in its header");
    const InfoFields info{data + infoAt, infoSize};

    const bool os2v1 = flavour == Flavour::Os2v1;
    // Windows sizes are signed: a negative height stores the rows top-down.
    const int64_t w = os2v1 ? int64_t(info.u16(4)) : int64_t(int32_t(info.u32(4)));
    int64_t h = os2v1 ? int64_t(info.u16(6)) : int64_t(int32_t(info.u32(8)));
    const uint32_t planes = info.u16(os2v1 ? 8 : 12);
    out.bitCount = int(info.u16(os2v1 ? 10 : 14));
    const uint32_t compression = os2v1 ? 0 : info.u32(16);
    if (planes != 1)
        return fail("the planes field is " + std::to_string(planes) + ", not 1");
    if (w <= 0 || h == 0)
        return fail("bad picture size " + sizeText(w, h));
    out.topDown = h < 0;
    h = out.topDown ? -h : h;
    if (!Image::sizeAllowed(w, h))
        return fail("the picture is too large (" + sizeText(w, h) + ")");
    out.width = int(w);
    out.height = int(h);

    size_t maskBytes = 0;
    FileResult r = readEncoding(info, flavour, compression, out, maskBytes);
    if (!r)
        return r;
    const bool rle = isRunLength(out.encoding);
    if (rle && out.topDown)
        return fail("run-length coded pictures cannot be stored top-down");

    out.paletteOffset = infoAt + infoSize + maskBytes;
    if (out.paletteOffset > size)
        return fail("the file is cut short in its colour masks");
    for (size_t i = 0; i < maskBytes / 4 && i < 3; ++i)
        out.masks[i] = getLE32(data + infoAt + infoSize + 4 * i);
    if (out.encoding == BMPEncoding::Bitfields && !(r = checkMasks(out.masks)))
        return r;

    out.paletteEntrySize = os2v1 ? 3 : 4;
    const uint64_t coloursUsed = info.u32(32);
    if (coloursUsed > (size - out.paletteOffset) / out.paletteEntrySize)
        return fail("the colour table (" + std::to_string(coloursUsed) +
                    " entries) is larger than the file");
    out.dataOffset = getLE32(data + base + 10);
    if (out.dataOffset < out.paletteOffset)
        return fail("the pixel data would overlap the headers");
    if (out.dataOffset > size)
        return fail("the pixel data lies beyond the end of the file");
    if (out.bitCount <= 8) {
        // Entries past the declared count, past 2^bits or past the start of
        // the pixel data are not part of the table.
        const size_t declared = coloursUsed != 0 ? size_t(coloursUsed) : size_t(1) << out.bitCount;
        const size_t room = (out.dataOffset - out.paletteOffset) / out.paletteEntrySize;
        out.paletteEntries = std::min({declared, room, size_t(1) << out.bitCount});
        if (out.paletteEntries == 0)
            return fail("the colour table is missing");
    }

    if (!rle) {
        // Rows are padded to 4 bytes; w <= kMaxSide and bits <= 32 keep this small.
        out.rowBytes = (size_t(out.width) * size_t(out.bitCount) + 31) / 32 * 4;
        if ((size - out.dataOffset) / out.rowBytes < size_t(out.height))
            return fail("the pixel data is cut short");
    }
    return FileResult::success();
}

BMPPalette readBMPPalette(const BMPHeader& header, const uint8_t* data)
{
    BMPPalette pal{};
    for (size_t i = 0; i < header.paletteEntries; ++i) {
        const uint8_t* p = data + header.paletteOffset + i * header.paletteEntrySize;
        pal[i] = {p[0], p[1], p[2]};
    }
    return pal;
}

}  // namespace ovek

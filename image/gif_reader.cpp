#include "image/gif_reader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "image/image.h"

namespace ovek {

namespace {

struct Source {
    const uint8_t* data;
    size_t size;
    size_t at;
};

int readBytes(GifFileType* gif, GifByteType* out, int count)
{
    Source* s = static_cast<Source*>(gif->UserData);
    const size_t n = std::min(size_t(std::max(count, 0)), s->size - s->at);
    std::memcpy(out, s->data + s->at, n);
    s->at += n;
    return int(n);
}

class GifFile {
public:
    explicit GifFile(Source& source) { gif_ = DGifOpen(&source, readBytes, &error_); }
    ~GifFile()
    {
        if (gif_)
            DGifCloseFile(gif_, nullptr);
    }
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;
    GifFileType* get() const { return gif_; }
    int openError() const { return error_; }

private:
    GifFileType* gif_ = nullptr;
    int error_ = 0;
};

FileResult damaged(int error)
{
    if (error == D_GIF_ERR_NOT_ENOUGH_MEM)
        return FileResult::failure("not enough memory to read the GIF file");
    const char* why = GifErrorString(error);
    return FileResult::failure(std::string("the GIF file is cut short or damaged (") +
                               (why ? why : "unknown error") + ")");
}

// The first frame's pixels as colour indices, top row first; an interlaced
// frame stores its rows in four passes.
bool readFrame(GifFileType* gif, std::vector<uint8_t>& indices)
{
    const int w = gif->Image.Width, h = gif->Image.Height;
    if (!gif->Image.Interlace) {
        for (int y = 0; y < h; ++y)
            if (DGifGetLine(gif, &indices[size_t(y) * size_t(w)], w) != GIF_OK)
                return false;
        return true;
    }
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < h; y += kStep[pass])
            if (DGifGetLine(gif, &indices[size_t(y) * size_t(w)], w) != GIF_OK)
                return false;
    return true;
}

// The coded pixels of a frame whose description was read, passed over.
bool skipCodes(GifFileType* gif)
{
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif, &codeSize, &block) != GIF_OK)
        return false;
    while (block)
        if (DGifGetCodeNext(gif, &block) != GIF_OK)
            return false;
    return true;
}

}  // namespace

FileResult readGIF(const uint8_t* data, size_t size, PictureRows& rows)
{
    Source source{data, size, 0};
    GifFile file(source);
    GifFileType* gif = file.get();
    if (!gif)
        return damaged(file.openError());
    const int w = gif->SWidth, h = gif->SHeight;
    if (!Image::sizeAllowed(w, h) || w == 0 || h == 0)
        return pictureTooLarge(w, h);

    int transparent = -1;  // from the control block before the first frame
    bool haveFrame = false;
    std::vector<uint8_t> indices;
    std::vector<GifColorType> colours;
    int left = 0, top = 0, fw = 0, fh = 0;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) != GIF_OK)
            return damaged(gif->Error);
        if (type == TERMINATE_RECORD_TYPE)
            break;
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif, &code, &ext) != GIF_OK)
                return damaged(gif->Error);
            // Graphic control: flags, delay (2 bytes), transparent index.
            if (code == GRAPHICS_EXT_FUNC_CODE && !haveFrame && ext && ext[0] >= 4)
                transparent = (ext[1] & 1) ? ext[4] : -1;
            while (ext)
                if (DGifGetExtensionNext(gif, &ext) != GIF_OK)
                    return damaged(gif->Error);
        } else if (type == IMAGE_DESC_RECORD_TYPE && haveFrame) {
            // Later frames are read past, undecoded, up to the trailer.
            if (DGifGetImageDesc(gif) != GIF_OK || !skipCodes(gif))
                return damaged(gif->Error);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) != GIF_OK)
                return damaged(gif->Error);
            left = gif->Image.Left;
            top = gif->Image.Top;
            fw = gif->Image.Width;
            fh = gif->Image.Height;
            if (!Image::sizeAllowed(fw, fh))
                return pictureTooLarge(fw, fh);
            try {
                indices.resize(size_t(fw) * size_t(fh));
            } catch (const std::bad_alloc&) {
                return FileResult::failure("not enough memory to read the GIF file");
            }
            if (!(indices.empty() ? skipCodes(gif) : readFrame(gif, indices)))
                return damaged(gif->Error);
            // The frame's own table goes with the next frame's description.
            const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
            if (map && map->Colors && map->ColorCount > 0)
                colours.assign(map->Colors, map->Colors + std::min(map->ColorCount, 256));
            haveFrame = true;
        }
    }
    if (!haveFrame)
        return FileResult::failure("the GIF file holds no picture");

    // The canvas outside the frame shows the background colour, transparent
    // pixels and colours missing from the table show black.
    uint8_t background[3] = {0, 0, 0};
    const ColorMapObject* global = gif->SColorMap;
    if (global && gif->SBackGroundColor > 0 && gif->SBackGroundColor < global->ColorCount) {
        const GifColorType& c = global->Colors[gif->SBackGroundColor];
        background[0] = c.Red;
        background[1] = c.Green;
        background[2] = c.Blue;
    }
    if (FileResult r = rows.start(w, h, false); !r)
        return r;
    // The canvas may be far larger than the frame: rows start as a copy of a
    // background row and only the frame's part is looked up.
    std::vector<uint8_t> blank(size_t(w) * 3), rgb;
    for (size_t x = 0; x < size_t(w); ++x)
        std::memcpy(&blank[3 * x], background, 3);
    const int count = int(colours.size());
    const int x0 = std::clamp(left, 0, w), x1 = std::clamp(left + fw, 0, w);
    for (int y = 0; y < h; ++y) {
        if (y < top || y - top >= fh || x0 == x1) {
            rows.putRow(blank.data());
            continue;
        }
        rgb = blank;
        const uint8_t* line = &indices[size_t(y - top) * size_t(fw)];
        for (int x = x0; x < x1; ++x) {
            uint8_t* p = &rgb[size_t(x) * 3];
            const int i = line[x - left];
            if (i == transparent || i >= count) {
                p[0] = p[1] = p[2] = 0;
            } else {
                p[0] = colours[size_t(i)].Red;
                p[1] = colours[size_t(i)].Green;
                p[2] = colours[size_t(i)].Blue;
            }
        }
        rows.putRow(rgb.data());
    }
    return FileResult::success();
}

}  // namespace ovek

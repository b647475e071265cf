#include "image/grey_picture.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "image/bmp_reader.h"
#include "image/image.h"
#include "image/picture_reader.h"
#include "image/picture_rows.h"

namespace ovek {

namespace {

uint8_t grey(const uint8_t* bgr)
{
    return uint8_t((bgr[0] + bgr[1] + bgr[2]) / 3);
}

// A file mapped read-only; unmapped when it goes out of scope.
class MappedFile {
public:
    explicit MappedFile(const std::string& path)
    {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat st {};
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
            uint64_t(st.st_size) <= kMaxPictureFileBytes) {
            void* p = mmap(nullptr, size_t(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
            if (p != MAP_FAILED) {
                data_ = static_cast<const uint8_t*>(p);
                size_ = size_t(st.st_size);
            }
        }
        close(fd);
    }
    ~MappedFile()
    {
        if (data_)
            munmap(const_cast<uint8_t*>(data_), size_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

    // Lets the system drop the pages before offset (read and no longer needed),
    // so that reading a large file keeps little of it in memory.
    void release(size_t offset)
    {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        const size_t end = offset / page * page;
        if (end > released_) {
            madvise(const_cast<uint8_t*>(data_) + released_, end - released_, MADV_DONTNEED);
            released_ = end;
        }
    }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t released_ = 0;
};

// Decoded rows reduced to grey as they arrive.
class GreyRows : public PictureRows {
public:
    explicit GreyRows(bool keep16) : keep16_(keep16) {}

    FileResult start(int width, int height, bool deep) override
    {
        g_.width = width;
        g_.height = height;
        try {
            g_.values.reserve(size_t(width) * size_t(height));
            if (deep && keep16_)
                g_.values16.reserve(size_t(width) * size_t(height));
        } catch (const std::bad_alloc&) {
            return FileResult::failure("not enough memory for a " + std::to_string(width) +
                                       " x " + std::to_string(height) + " picture");
        }
        return FileResult::success();
    }

    void putRow(const uint8_t* rgb) override
    {
        const size_t at = g_.values.size(), w = size_t(g_.width);
        g_.values.resize(at + w);
        for (size_t x = 0; x < w; ++x, rgb += 3)
            g_.values[at + x] = uint8_t((rgb[0] + rgb[1] + rgb[2]) / 3);
    }

    void putRow16(const uint16_t* rgb) override
    {
        const size_t at = g_.values.size(), w = size_t(g_.width);
        g_.values.resize(at + w);
        if (keep16_)
            g_.values16.resize(at + w);
        for (size_t x = 0; x < w; ++x, rgb += 3) {
            g_.values[at + x] =
                uint8_t((reduce16(rgb[0]) + reduce16(rgb[1]) + reduce16(rgb[2])) / 3);
            if (keep16_)
                g_.values16[at + x] = uint16_t((uint32_t(rgb[0]) + rgb[1] + rgb[2]) / 3);
        }
    }

    GreyPicture& picture() { return g_; }

private:
    bool keep16_;
    GreyPicture g_;
};

FileResult decodeGreyBMP(MappedFile& file, const BMPHeader& h, GreyPicture& out)
{
    const BMPPalette pal = readBMPPalette(h, file.data());
    GreyPicture g;
    std::vector<uint8_t> bgr;
    try {
        g.values.resize(size_t(h.width) * size_t(h.height));
        bgr.resize(3 * size_t(h.width));
    } catch (const std::bad_alloc&) {
        return FileResult::failure("not enough memory for a " + std::to_string(h.width) + " x " +
                                   std::to_string(h.height) + " picture");
    }
    g.width = h.width;
    g.height = h.height;
    constexpr size_t kReleaseEvery = size_t(4) << 20;
    size_t sinceRelease = 0;
    for (size_t r = 0; r < size_t(h.height); ++r) {
        const size_t at = h.dataOffset + r * h.rowBytes;
        decodeBMPRow(h, pal, file.data() + at, bgr.data());
        uint8_t* dst = &g.values[(h.topDown ? r : size_t(h.height) - 1 - r) * size_t(h.width)];
        for (size_t x = 0; x < size_t(h.width); ++x)
            dst[x] = grey(&bgr[3 * x]);
        if ((sinceRelease += h.rowBytes) >= kReleaseEvery) {
            file.release(at);
            sinceRelease = 0;
        }
    }
    out = std::move(g);
    return FileResult::success();
}

}  // namespace

GreyPicture greyOf(const Image& picture)
{
    GreyPicture g;
    g.width = picture.getWidth();
    g.height = picture.getHeight();
    g.values.resize(size_t(g.width) * size_t(g.height));
    for (int y = 0; y < g.height; ++y) {
        const uint8_t* src = &picture.pixels[size_t(g.height - 1 - y) * size_t(picture.stride)];
        for (int x = 0; x < g.width; ++x)
            g.values[size_t(y) * size_t(g.width) + size_t(x)] = grey(src + 3 * x);
    }
    return g;
}

FileResult loadGreyPicture(const std::string& path, GreyPicture& out, bool keep16)
{
    MappedFile file(path);
    const uint8_t* data = file.data();
    size_t size = file.size();
    if (data && looksLikeBMP(data, size)) {
        BMPHeader h;
        if (FileResult r = readBMPHeader(data, size, h); !r)
            return r;
        if (!isRunLength(h.encoding))
            return decodeGreyBMP(file, h, out);
    }
    // What cannot be mapped (a pipe, a folder, a missing file) is read as
    // loadImage reads it, which also gives its reasons.
    std::string bytes;
    if (!data) {
        if (FileResult r = readPictureFile(path, bytes); !r)
            return r;
        data = reinterpret_cast<const uint8_t*>(bytes.data());
        size = bytes.size();
    }
    GreyRows rows(keep16);
    if (FileResult r = decodePictureRows(data, size, rows); !r)
        return r;
    out = std::move(rows.picture());
    return FileResult::success();
}

}  // namespace ovek

#include "image/bmp_row_writer.h"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "base/atomic_file.h"
#include "base/byte_order.h"
#include "image/image.h"

namespace ovek {

namespace {

// The rows of a BMP file being written: the file holds the bottom row first,
// so rows y .. y + count - 1 fill one stretch of it, the last of them first.
class BMPFileRows : public RowSink {
public:
    BMPFileRows(int fd, int width, int height)
        : fd_(fd), seekable_(lseek(fd, 0, SEEK_CUR) >= 0), width_(width), height_(height),
          stride_(size_t(Image::strideFor(width))), arrived_(size_t(height), false),
          rowsMissing_(height)
    {
        if (!seekable_)
            gathered_.resize(stride_ * size_t(height_));
    }

    bool putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step) override
    {
        if (y < 0 || count < 0 || count > height_ - y)
            return false;
        static const uint8_t zeros[3] = {};
        const size_t bytes = 3 * size_t(width_), pad = stride_ - bytes;
        for (int done = 0; done < count && !seekable_; ++done)
            std::memcpy(&gathered_[size_t(height_ - 1 - (y + done)) * stride_],
                        first + std::ptrdiff_t(done) * step, bytes);
        for (int done = 0; done < count && seekable_;) {
            const int n = std::min(count - done, kRowsPerCall);
            iovec parts[2 * kRowsPerCall];
            int k = 0;
            for (int i = n - 1; i >= 0; --i) {
                parts[k++] = {const_cast<uint8_t*>(first + std::ptrdiff_t(done + i) * step), bytes};
                if (pad)
                    parts[k++] = {const_cast<uint8_t*>(zeros), pad};
            }
            const int last = y + done + n - 1;
            if (!writeAt(parts, k, kBMPHeaderBytes + off_t(height_ - 1 - last) * off_t(stride_)))
                return false;
            done += n;
        }
        for (int i = 0; i < count; ++i) {
            if (!arrived_[size_t(y + i)]) {
                arrived_[size_t(y + i)] = true;
                --rowsMissing_;
            }
        }
        return true;
    }

    // Whether every row arrived; gathered rows are written now.
    bool finish(std::FILE* f)
    {
        if (rowsMissing_ != 0)
            return false;
        return seekable_ ||
               std::fwrite(gathered_.data(), 1, gathered_.size(), f) == gathered_.size();
    }

private:
    static constexpr int kRowsPerCall = 256;  // two parts a row stay within IOV_MAX

    // pwritev may write less than asked; carry on from where it stopped.
    bool writeAt(iovec* parts, int count, off_t offset)
    {
        for (;;) {
            while (count > 0 && parts->iov_len == 0) {
                ++parts;
                --count;
            }
            if (count == 0)
                return true;
            const ssize_t n = pwritev(fd_, parts, count, offset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            offset += n;
            for (size_t left = size_t(n); left > 0;) {
                const size_t used = std::min(left, parts->iov_len);
                parts->iov_base = static_cast<uint8_t*>(parts->iov_base) + used;
                parts->iov_len -= used;
                left -= used;
                if (parts->iov_len == 0) {
                    ++parts;
                    --count;
                }
            }
        }
    }

    int fd_;
    bool seekable_;  // a file, not a pipe: rows go straight to their place
    int width_;
    int height_;
    size_t stride_;
    std::vector<bool> arrived_;
    int rowsMissing_;
    std::vector<uint8_t> gathered_;  // the whole pixel data, for a target that cannot seek
};

}  // namespace

void fillBMPHeader(uint8_t (&header)[kBMPHeaderBytes], int width, int height)
{
    const uint32_t dataSize = uint32_t(Image::strideFor(width)) * uint32_t(height);
    std::fill(header, header + kBMPHeaderBytes, uint8_t(0));
    header[0] = 'B';
    header[1] = 'M';
    putLE32(header + 2, kBMPHeaderBytes + dataSize);
    putLE32(header + 10, kBMPHeaderBytes);
    putLE32(header + 14, 40);
    putLE32(header + 18, uint32_t(width));
    putLE32(header + 22, uint32_t(height));
    putLE16(header + 26, 1);
    putLE16(header + 28, 24);
    putLE32(header + 34, dataSize);
}

FileResult writeBMPRows(const std::string& path, int width, int height,
                        const std::function<bool(RowSink&)>& produce)
{
    uint8_t header[kBMPHeaderBytes];
    fillBMPHeader(header, width, height);
    return writeFileAtomically(path, [&](std::FILE* f) {
        if (std::fwrite(header, 1, sizeof header, f) != sizeof header || std::fflush(f) != 0)
            return false;
        BMPFileRows rows(fileno(f), width, height);
        return produce(rows) && rows.finish(f);
    });
}

}  // namespace ovek

#include "image/picture_reader.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include "base/atomic_file.h"
#include "image/bmp_reader.h"
#include "image/gif_reader.h"
#include "image/image.h"
#include "image/jpeg_reader.h"
#include "image/png_reader.h"
#include "image/pnm_reader.h"

namespace ovek {

const char kPicturesRead[] = "BMP, PNG, JPEG, GIF or PNM";

namespace {

bool startsWith(const uint8_t* data, size_t size, const char* signature)
{
    const size_t n = std::strlen(signature);
    return size >= n && std::memcmp(data, signature, n) == 0;
}

// Rows gathered into an image's buffer: appended top row first (so that a
// file that claims a large picture and then ends costs only what it held),
// turned bottom-up at the end.
class ImageRows : public PictureRows {
public:
    FileResult start(int width, int height, bool) override
    {
        width_ = width;
        height_ = height;
        stride_ = size_t(Image::strideFor(width));
        try {
            pixels_.reserve(stride_ * size_t(height));
            row_.resize(3 * size_t(width));
        } catch (const std::bad_alloc&) {
            return FileResult::failure("not enough memory for a " + std::to_string(width) +
                                       " x " + std::to_string(height) + " picture");
        }
        return FileResult::success();
    }

    void putRow(const uint8_t* rgb) override
    {
        const size_t at = pixels_.size();
        pixels_.resize(at + stride_);
        uint8_t* p = &pixels_[at];
        for (int x = 0; x < width_; ++x, p += 3, rgb += 3) {
            p[0] = rgb[2];
            p[1] = rgb[1];
            p[2] = rgb[0];
        }
    }

    void putRow16(const uint16_t* rgb) override
    {
        for (size_t i = 0; i < row_.size(); ++i)
            row_[i] = reduce16(rgb[i]);
        putRow(row_.data());
    }

    void finish(Image& img)
    {
        assert(pixels_.size() == stride_ * size_t(height_) && "the decoder gave every row");
        // Whole rows at a time: a canvas of a few bytes' file may be large.
        std::vector<uint8_t> spare(stride_);
        for (size_t top = 0, bottom = size_t(height_); top + 1 < bottom; ++top, --bottom) {
            uint8_t* a = &pixels_[top * stride_];
            uint8_t* b = &pixels_[(bottom - 1) * stride_];
            std::memcpy(spare.data(), a, stride_);
            std::memcpy(a, b, stride_);
            std::memcpy(b, spare.data(), stride_);
        }
        img.adoptPixels(width_, height_, std::move(pixels_));
    }

private:
    int width_ = 0;
    int height_ = 0;
    size_t stride_ = 0;
    std::vector<uint8_t> pixels_;
    std::vector<uint8_t> row_;
};

// A BMP file decoded whole by our decoder, then handed on as rows.
FileResult bmpRows(const uint8_t* data, size_t size, PictureRows& rows)
{
    Image img(nullptr, 0, 0);
    if (FileResult r = decodeBMP(data, size, img); !r)
        return r;
    if (FileResult r = rows.start(img.width, img.height, false); !r)
        return r;
    std::vector<uint8_t> rgb(3 * size_t(img.width));
    for (int y = 0; y < img.height; ++y) {
        const uint8_t* p = &img.pixels[size_t(img.height - 1 - y) * size_t(img.stride)];
        for (size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = p[i + 2];
            rgb[i + 1] = p[i + 1];
            rgb[i + 2] = p[i];
        }
        rows.putRow(rgb.data());
    }
    return FileResult::success();
}

}  // namespace

FileResult pictureTooLarge(long long width, long long height)
{
    return FileResult::failure("the picture is too large (" + std::to_string(width) + " x " +
                               std::to_string(height) + ")");
}

FileResult decodePictureRows(const uint8_t* data, size_t size, PictureRows& rows)
{
    if (size == 0)
        return FileResult::failure("the file is empty");
    if (looksLikeBMP(data, size))
        return bmpRows(data, size, rows);
    if (startsWith(data, size, "\x89PNG\r\n\x1a\n"))
        return readPNG(data, size, rows);
    if (startsWith(data, size, "\xff\xd8\xff"))
        return readJPEG(data, size, rows);
    if (startsWith(data, size, "GIF8"))
        return readGIF(data, size, rows);
    if (looksLikePNM(data, size))
        return readPNM(data, size, rows);
    if (startsWith(data, size, "8BPS"))
        return FileResult::failure(std::string("Photoshop (PSD) files are not read; save the "
                                               "picture as ") +
                                   kPicturesRead);
    return FileResult::failure(std::string("not a picture this program reads (") +
                               kPicturesRead + ")");
}

FileResult decodePicture(const uint8_t* data, size_t size, Image& img)
{
    // BMP straight into the image: its decoder already keeps img on failure.
    if (size > 0 && looksLikeBMP(data, size))
        return decodeBMP(data, size, img);
    ImageRows rows;
    if (FileResult r = decodePictureRows(data, size, rows); !r)
        return r;
    rows.finish(img);
    return FileResult::success();
}

FileResult readPictureFile(const std::string& path, std::string& bytes)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileResult::failure("it is a folder, not a picture");
    return readWholeFile(path, kMaxPictureFileBytes, bytes);
}

}  // namespace ovek

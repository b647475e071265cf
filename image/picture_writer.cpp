#include "image/picture_writer.h"

#include <strings.h>

#include <cctype>
#include <memory>
#include <vector>

#include "base/atomic_file.h"
#include "base/name_ending.h"
#include "image/bmp_row_writer.h"
#include "image/encoder_thread.h"
#include "image/image.h"
#include "image/jpeg_writer.h"
#include "image/png_writer.h"
#include "image/rows_in_order.h"

namespace ovek {

const char kPictureEndings[] = ".bmp, .png, .jpg, .jpeg, .ppm or .pnm";
const char kPictureFormatNames[] = "bmp, png, jpg or ppm";

namespace {

struct NamedFormat {
    const char* name;
    PictureFormat format;
};

// The first name of each format is its short name.
const NamedFormat kFormatNames[] = {
    {"bmp", PictureFormat::BMP},  {"png", PictureFormat::PNG}, {"jpg", PictureFormat::JPEG},
    {"jpeg", PictureFormat::JPEG}, {"ppm", PictureFormat::PPM}, {"pnm", PictureFormat::PPM},
};

bool writeBMP(const Image& img, std::FILE* f)
{
    uint8_t header[kBMPHeaderBytes];
    fillBMPHeader(header, img.width, img.height);
    if (std::fwrite(header, 1, sizeof header, f) != sizeof header)
        return false;
    // Padding bytes are never written by pixel operations; write them as 0.
    const size_t used = size_t(img.width) * 3;
    const size_t padding = size_t(img.stride) - used;
    const uint8_t zeros[3] = {};
    for (int row = 0; row < img.height; ++row) {
        const uint8_t* p = &img.pixels[size_t(row) * size_t(img.stride)];
        if (std::fwrite(p, 1, used, f) != used || std::fwrite(zeros, 1, padding, f) != padding)
            return false;
    }
    return true;
}

// Binary netpbm: the header, then red, green, blue rows.
class PPMEncoder : public RowEncoder {
public:
    explicit PPMEncoder(std::FILE* f) : f_(f) {}

    bool start(int width, int height) override
    {
        row_.resize(3 * size_t(width));
        return std::fprintf(f_, "P6\n%d %d\n255\n", width, height) > 0;
    }
    bool putRow(const uint8_t* bgr) override
    {
        for (size_t i = 0; i < row_.size(); i += 3) {
            row_[i] = bgr[i + 2];
            row_[i + 1] = bgr[i + 1];
            row_[i + 2] = bgr[i];
        }
        return std::fwrite(row_.data(), 1, row_.size(), f_) == row_.size();
    }
    bool finish() override { return true; }

private:
    std::FILE* f_;
    std::vector<uint8_t> row_;
};

std::unique_ptr<RowEncoder> makeEncoder(PictureFormat format, std::FILE* f)
{
    switch (format) {
    case PictureFormat::PNG:
        return makePNGEncoder(f);
    case PictureFormat::JPEG:
        return makeJPEGEncoder(f, kJpegQuality);
    case PictureFormat::PPM:
        return std::make_unique<PPMEncoder>(f);
    case PictureFormat::BMP:
        break;
    }
    return nullptr;
}

// The image's rows, top row first, straight from its buffer.
bool encodeImage(const Image& img, PictureFormat format, std::FILE* f)
{
    const std::unique_ptr<RowEncoder> encoder = makeEncoder(format, f);
    if (!encoder || !encoder->start(img.width, img.height))
        return false;
    for (int row = 0; row < img.height; ++row)
        if (!encoder->putRow(&img.pixels[size_t(img.height - 1 - row) * size_t(img.stride)]))
            return false;
    return encoder->finish();
}

std::string upperCase(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

bool pictureFormatOfName(const std::string& path, PictureFormat* format)
{
    for (const NamedFormat& n : kFormatNames)
        if (endsWithNoCase(path, std::string(".") + n.name)) {
            *format = n.format;
            return true;
        }
    return false;
}

bool pictureFormatNamed(const std::string& name, PictureFormat* format)
{
    for (const NamedFormat& n : kFormatNames)
        if (strcasecmp(name.c_str(), n.name) == 0) {
            *format = n.format;
            return true;
        }
    return false;
}

const char* pictureFormatName(PictureFormat format)
{
    for (const NamedFormat& n : kFormatNames)
        if (n.format == format)
            return n.name;
    return "";
}

bool writePicture(const Image& img, PictureFormat format, std::FILE* f)
{
    if (format == PictureFormat::BMP)
        return writeBMP(img, f);
    return img.width > 0 && img.height > 0 && encodeImage(img, format, f);
}

FileResult writePictureFile(const Image& img, PictureFormat format, const std::string& path)
{
    if (format != PictureFormat::BMP && (img.width == 0 || img.height == 0))
        return FileResult::failure("an empty picture cannot be written as " +
                                   upperCase(pictureFormatName(format)));
    return writeFileAtomically(path, [&](std::FILE* f) { return writePicture(img, format, f); });
}

FileResult writePictureRows(const std::string& path, PictureFormat format, int width, int height,
                            const std::function<bool(RowSink&)>& produce)
{
    if (format == PictureFormat::BMP)
        return writeBMPRows(path, width, height, produce);
    if (width <= 0 || height <= 0)
        return FileResult::failure("an empty picture cannot be written as " +
                                   upperCase(pictureFormatName(format)));
    return writeFileAtomically(path, [&](std::FILE* f) {
        const std::unique_ptr<RowEncoder> encoder = makeEncoder(format, f);
        if (!encoder)
            return false;
        // Compressing on its own thread overlaps the making of the next rows.
        EncoderThread threaded(*encoder);
        if (!threaded.start(width, height))
            return false;
        RowsInOrder rows(width, height, threaded);
        return produce(rows) && rows.complete() && threaded.finish();
    });
}

FileResult Image::writeBMPFile(const std::string& path) const
{
    return writePictureFile(*this, PictureFormat::BMP, path);
}

FileResult Image::writePNGFile(const std::string& path) const
{
    return writePictureFile(*this, PictureFormat::PNG, path);
}

}  // namespace ovek

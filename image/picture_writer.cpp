#include "image/picture_writer.h"

#include <strings.h>

#include <cctype>
#include <stb/stb_image_write.h>
#include <vector>

#include "base/atomic_file.h"
#include "base/name_ending.h"
#include "image/bmp_row_writer.h"
#include "image/image.h"

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

// Red, green, blue, top row first: what PNG, JPEG and PPM store.
std::vector<uint8_t> rgbRows(const Image& img)
{
    std::vector<uint8_t> rgb(size_t(img.width) * size_t(img.height) * 3);
    for (int row = 0; row < img.height; ++row)
        for (int col = 0; col < img.width; ++col) {
            const int c = img.getColor(col, row);
            uint8_t* p = &rgb[(size_t(row) * size_t(img.width) + size_t(col)) * 3];
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
        }
    return rgb;
}

struct Sink {
    std::FILE* f;
    bool ok;
};

void putToSink(void* ctx, void* data, int size)
{
    auto* s = static_cast<Sink*>(ctx);
    s->ok = s->ok && std::fwrite(data, 1, size_t(size), s->f) == size_t(size);
}

bool writeWithStb(const Image& img, PictureFormat format, std::FILE* f)
{
    const std::vector<uint8_t> rgb = rgbRows(img);
    Sink sink{f, true};
    const int w = img.width, h = img.height;
    switch (format) {
    case PictureFormat::PNG:
        return stbi_write_png_to_func(putToSink, &sink, w, h, 3, rgb.data(), w * 3) && sink.ok;
    case PictureFormat::JPEG:
        return stbi_write_jpg_to_func(putToSink, &sink, w, h, 3, rgb.data(), kJpegQuality) &&
               sink.ok;
    case PictureFormat::PPM: {
        const std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
        return std::fwrite(header.data(), 1, header.size(), f) == header.size() &&
               std::fwrite(rgb.data(), 1, rgb.size(), f) == rgb.size();
    }
    case PictureFormat::BMP:
        break;
    }
    return false;
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
    return img.width > 0 && img.height > 0 && writeWithStb(img, format, f);
}

FileResult writePictureFile(const Image& img, PictureFormat format, const std::string& path)
{
    if (format != PictureFormat::BMP && (img.width == 0 || img.height == 0))
        return FileResult::failure("an empty picture cannot be written as " +
                                   upperCase(pictureFormatName(format)));
    return writeFileAtomically(path, [&](std::FILE* f) { return writePicture(img, format, f); });
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

#pragma once
// Writing a picture in one of the formats the program writes, to a file or to
// a stream such as standard output.
#include <cstdio>
#include <functional>
#include <string>

#include "base/file_result.h"
#include "image/row_sink.h"

namespace ovek {

class Image;

enum class PictureFormat {
    BMP,    // uncompressed 24-bit
    PNG,    // through libpng, 8 bits a channel
    JPEG,   // through libjpeg-turbo, quality kJpegQuality
    PPM,    // binary netpbm P6, 8 bits a channel
};

constexpr int kJpegQuality = 95;

// The endings that choose a format, for messages: ".bmp, .png, ...".
extern const char kPictureEndings[];
// The names --format takes, for messages: "bmp, png, jpg or ppm".
extern const char kPictureFormatNames[];

// The format a file name asks for by its ending (.bmp, .png, .jpg, .jpeg,
// .ppm, .pnm), in any letter case; false for any other ending or none.
bool pictureFormatOfName(const std::string& path, PictureFormat* format);
// The format called name ("bmp", "png", "jpg" or "jpeg", "ppm" or "pnm"), in
// any letter case; false for any other name.
bool pictureFormatNamed(const std::string& name, PictureFormat* format);
// The short name of a format: "bmp", "png", "jpg", "ppm".
const char* pictureFormatName(PictureFormat format);

// Writes img to f; false when the picture is empty (only BMP holds 0 x 0) or
// a write failed.
bool writePicture(const Image& img, PictureFormat format, std::FILE* f);
// Writes img to path; the target is replaced only once the whole file was
// written.
FileResult writePictureFile(const Image& img, PictureFormat format, const std::string& path);
// Writes a width x height picture whose rows produce hands to the sink it is
// given, in any order, as they are finished: each format streams (BMP rows go
// to their place in the file; PNG, JPEG and PPM rows are encoded top row
// first, those that come early waiting in a temporary file). The file at path is
// replaced only once produce returned true and every row arrived.
FileResult writePictureRows(const std::string& path, PictureFormat format, int width, int height,
                            const std::function<bool(RowSink&)>& produce);

}  // namespace ovek

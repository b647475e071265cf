// Image::loadImage: the whole file read, then decoded by content.
#include "image/image.h"
#include "image/picture_reader.h"

namespace ovek {

FileResult Image::loadImage(const std::string& path)
{
    std::string bytes;
    FileResult r = readPictureFile(path, bytes);
    if (r)
        r = decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *this);
    if (!r) {
        // Callers always expect a picture.
        setSize(1, 1);
        setPixel(0, 0, 0, 0, 0);
    }
    return r;
}

}  // namespace ovek

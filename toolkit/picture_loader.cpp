#include "toolkit/picture_loader.h"

#include <cstdio>

namespace ovek {

std::unique_ptr<Image> loadPicture(const std::string& path, Platform& platform)
{
    FileResult result;
    std::unique_ptr<Image> picture(platform.createImageFromBMP(path.c_str(), &result));
    if (result)
        return picture;
    std::fprintf(stderr, "pexolen: cannot read '%s': %s\n", path.c_str(), result.error.c_str());
    return nullptr;
}

}  // namespace ovek

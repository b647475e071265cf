// libFuzzer harness for decodePicture over every format it reads: any bytes
// must give a picture within the size limits or a reason, and a failure must
// leave the image untouched.
#include <cstdint>
#include <cstdlib>

#include "image/image.h"
#include "image/picture_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ovek::Image img(nullptr, 1, 1);
    img.setPixel(0, 0, 1, 2, 3);
    const ovek::FileResult r = ovek::decodePicture(data, size, img);
    const bool sane = r ? img.pixels.size() == size_t(img.stride) * size_t(img.height) &&
                              ovek::Image::sizeAllowed(img.width, img.height) && img.width > 0
                        : !r.error.empty() && img.getWidth() == 1 && img.getColor(0, 0) == 0x030201;
    if (!sane)
        std::abort();
    return 0;
}

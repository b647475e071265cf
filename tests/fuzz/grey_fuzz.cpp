// libFuzzer harness for loadGreyPicture, the streamed depth path: the bytes
// as a file must read as the full-colour reader reads them (same reason, or
// greyOf of the same picture), and 16-bit samples must reduce to the 8-bit ones.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/grey_picture.h"
#include "image/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/pexolen-grey-fuzz-" + std::to_string(getpid());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();
    ovek::GreyPicture grey;
    const ovek::FileResult streamed = ovek::loadGreyPicture(path, grey, true);
    ovek::Image img(nullptr, 1, 1);
    const ovek::FileResult whole = img.loadImage(path);
    bool sane = streamed.ok == whole.ok && streamed.error == whole.error;
    if (sane && streamed.ok) {
        const ovek::GreyPicture want = ovek::greyOf(img);
        sane = grey.width == want.width && grey.height == want.height && grey.values == want.values &&
               (grey.values16.empty() || grey.values16.size() == grey.values.size());
    }
    unlink(path.c_str());
    if (!sane)
        std::abort();
    return 0;
}

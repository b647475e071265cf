#include "fltk/gbk_text.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace ovek {

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";   // U+FFFD in UTF-8

bool isAscii(const char* text)
{
    for (const char* p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    return true;
}

}  // namespace

std::string gbkToUtf8(const char* text)
{
    if (!text)
        return {};
    if (isAscii(text))
        return text;
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == iconv_t(-1))
        return text;   // no converter installed: show the bytes rather than nothing
    std::string out;
    char* in = const_cast<char*>(text);
    size_t inLeft = std::strlen(text);
    char buffer[256];
    // Every pass either converts, skips a byte or stops, so the loop ends.
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, size_t(o - buffer));
        if (r != size_t(-1) || errno == E2BIG)
            continue;
        out += kReplacement;
        if (errno == EINVAL)   // incomplete character at the end
            break;
        ++in;                  // EILSEQ: skip the offending byte
        --inLeft;
    }
    iconv_close(cd);
    return out;
}

}  // namespace ovek

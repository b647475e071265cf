#pragma once
// The program keeps its interface texts in the GBK code page; the window
// system shows UTF-8.
#include <string>

namespace ovek {

// text (GBK, NUL-terminated; null reads as "") in UTF-8. Bytes that are not
// GBK, and a character cut off at the end, each become U+FFFD.
std::string gbkToUtf8(const char* text);

}  // namespace ovek

#pragma once
// Files dropped on the window, as window systems hand them over: a URI list
// (text/uri-list: "file:///path" with %XX escapes, one per line, CR LF or LF,
// '#' lines are comments) or plain absolute paths, one per line.
#include <string>
#include <vector>

namespace ovek {

// At most this many paths are taken from one drop; the rest are ignored.
constexpr size_t kMaxDroppedFiles = 256;

// The local paths in text, in order. Lines that name no local file (other
// hosts, other schemes, relative names, a NUL after decoding) are left out.
std::vector<std::string> droppedFilePaths(const std::string& text);

}  // namespace ovek

#pragma once
// Writing a file so that a failure never leaves it half-written or destroyed.
#include <cstdio>
#include <functional>
#include <string>

#include "base/file_result.h"

namespace ovek {

// Calls write with a temporary file in the target's folder; when it returns
// true and everything reached the disk, the temporary file is renamed over
// path. Otherwise it is removed and path is left as it was.
FileResult writeFileAtomically(const std::string& path,
                               const std::function<bool(std::FILE*)>& write);

// Reads a whole file, refusing files larger than maxBytes.
FileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out);

}  // namespace ovek

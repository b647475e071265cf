#pragma once
// Writing a file so that a failure never leaves it half-written or destroyed.
#include <cstdio>
#include <functional>
#include <string>

#include "base/file_result.h"

namespace ovek {

// Why path may not be written, checked before any work: it is a folder, an
// existing file nobody may write (mode 444 protects it even from root), or its
// folder is missing or closed. Success otherwise.
FileResult checkWritable(const std::string& path);

// Calls write with a temporary file in the target's folder; when it returns
// true and everything reached the disk, the temporary file is renamed over
// path. Otherwise it is removed and path is left as it was. A replaced file
// keeps its permission bits (and owner, where allowed); a symbolic link keeps
// pointing at the replaced file; a device or a pipe is written in place.
// Refuses what checkWritable refuses.
FileResult writeFileAtomically(const std::string& path,
                               const std::function<bool(std::FILE*)>& write);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file of a write in
// progress before the program ends as the signal asks. Signals that were
// ignored stay ignored.
void removeTemporaryFileOnSignal();

// Reads a whole file or stream, refusing more than maxBytes.
FileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out);
FileResult readWholeStream(std::FILE* f, size_t maxBytes, std::string& out);

}  // namespace ovek

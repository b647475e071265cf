#pragma once
// Where the program and its own data files (demo/, ui/) are found.
#include <filesystem>
#include <string>

namespace ovek {

// The folder holding the running program (from /proc/self/exe); empty when
// it cannot be told.
std::filesystem::path programFolder();

// relative as it stands when it exists from the working directory, otherwise
// below the installed data folder beside the program (bin/../share/pexolen),
// otherwise below the source tree the program was built from; when none has
// it, relative unchanged (so that an error names the file the user expects).
std::string findDataFile(const std::string& relative);

}  // namespace ovek

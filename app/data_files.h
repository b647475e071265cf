#pragma once
// Where the program's own data files (demo/, ui/) are found.
#include <string>

namespace ovek {

// relative as it stands when it exists from the working directory, otherwise
// below the program's data folder when it exists there, otherwise relative
// unchanged (so that an error names the file the user would expect).
std::string findDataFile(const std::string& relative);

}  // namespace ovek

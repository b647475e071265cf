#pragma once
// Where the program's own data files (demo/, ui/) are found.
#include <string>

namespace ovek {

// relative as it stands when it exists from the working directory, otherwise
// below the installed data folder beside the program (bin/../share/pexolen),
// otherwise below the source tree the program was built from; when none has
// it, relative unchanged (so that an error names the file the user expects).
std::string findDataFile(const std::string& relative);

}  // namespace ovek

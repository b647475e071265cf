#pragma once
// Where the program and its own data files (demo/, ui/, the catalogues of
// its texts and the help page) are found.
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

// An interface picture in the user's language: for a picture "dir/name" with
// words on it, the design's own (Chinese) "dir/name" for Chinese, otherwise
// "dir/<language>/name", and "dir/en/name" when that language has no set.
// Found like every data file.
std::string findLocalizedPicture(const std::string& relative);

// The folder of the compiled catalogues (<language>/LC_MESSAGES/pexolen.mo):
// the installed one beside the program (bin/../share/locale), otherwise the
// build tree's.
std::string catalogueFolder();

// The help page, in the user's language where it is written in it
// (index.<language>.html, else index.html): the installed one
// (bin/../share/doc/pexolen/), otherwise the build tree's.
std::string findHelpPage();

}  // namespace ovek

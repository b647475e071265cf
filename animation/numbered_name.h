#pragma once
// Names of numbered files: "frame_%03d.png" names frame_000.png, frame_001.png...
#include <string>

namespace ovek {

// Whether name holds exactly one number field (%d, %4d, %04d, the width at
// most 9), other percent signs written "%%".
bool isNumberedName(const std::string& name);

// name with its number field replaced by number (and "%%" by "%"); name must
// pass isNumberedName.
std::string numberedName(const std::string& name, int number);

}  // namespace ovek

#pragma once
// File kinds are told by the end of their names, in any letter case.
#include <string>

namespace ovek {

// Whether name ends with ending, ASCII letters compared without case.
bool endsWithNoCase(const std::string& name, const std::string& ending);

}  // namespace ovek

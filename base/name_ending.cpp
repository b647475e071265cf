#include "base/name_ending.h"

#include <cctype>

namespace ovek {

bool endsWithNoCase(const std::string& name, const std::string& ending)
{
    if (ending.size() > name.size())
        return false;
    const size_t at = name.size() - ending.size();
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[at + i])) !=
            std::tolower(static_cast<unsigned char>(ending[i])))
            return false;
    return true;
}

}  // namespace ovek

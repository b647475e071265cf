#include "toolkit/window_system.h"

namespace ovek {

std::vector<FileFilter> splitFilterList(const char* list)
{
    std::vector<FileFilter> filters;
    if (!list)
        return filters;
    const char* p = list;
    while (*p) {
        FileFilter f;
        f.label = p;
        p += f.label.size() + 1;
        if (!*p)
            break;
        f.pattern = p;
        p += f.pattern.size() + 1;
        filters.push_back(std::move(f));
    }
    return filters;
}

}  // namespace ovek

#include "app/data_files.h"

#include <filesystem>

namespace ovek {

std::string findDataFile(const std::string& relative)
{
    std::error_code ec;
    if (std::filesystem::exists(relative, ec))
        return relative;
    const std::filesystem::path installed = std::filesystem::path(PEXOLEN_DATA_DIR) / relative;
    if (std::filesystem::exists(installed, ec))
        return installed.string();
    return relative;
}

}  // namespace ovek

#include "app/data_files.h"

#include <filesystem>

namespace ovek {

std::filesystem::path programFolder()
{
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return program.parent_path();
}

namespace {

// The installed data folder, found from the running program's own path.
std::filesystem::path installedDataDir()
{
    const std::filesystem::path dir = programFolder();
    return dir.empty() ? dir : dir / PEXOLEN_INSTALLED_DATA_DIR;
}

}  // namespace

std::string findDataFile(const std::string& relative)
{
    std::error_code ec;
    if (std::filesystem::exists(relative, ec))
        return relative;
    for (const std::filesystem::path& dir : {installedDataDir(),
                                             std::filesystem::path(PEXOLEN_DATA_DIR)}) {
        if (dir.empty())
            continue;
        const std::filesystem::path candidate = dir / relative;
        if (std::filesystem::exists(candidate, ec))
            return candidate.string();
    }
    return relative;
}

}  // namespace ovek

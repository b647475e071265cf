#include "app/data_files.h"

#include <filesystem>

#include "base/translation.h"

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

namespace {

// The first of the installed path (relative to the program) and the build
// tree's that exists; the build tree's when neither does.
std::filesystem::path installedOrBuilt(const std::string& installed, const std::string& built)
{
    std::error_code ec;
    const std::filesystem::path dir = programFolder();
    if (!dir.empty()) {
        const std::filesystem::path candidate = (dir / installed).lexically_normal();
        if (std::filesystem::exists(candidate, ec))
            return candidate;
    }
    return built;
}

}  // namespace

std::string findLocalizedPicture(const std::string& relative)
{
    const std::string language = uiLanguage();
    if (language == "zh")
        return findDataFile(relative);
    const std::filesystem::path path(relative);
    const std::filesystem::path dir = path.parent_path(), name = path.filename();
    const std::string own = (dir / language / name).string();
    const std::string found = findDataFile(own);
    std::error_code ec;
    if (language != "en" && !std::filesystem::exists(found, ec))
        return findDataFile((dir / "en" / name).string());
    return found;
}

std::string catalogueFolder()
{
    return installedOrBuilt(PEXOLEN_INSTALLED_LOCALE_DIR, PEXOLEN_BUILD_LOCALE_DIR).string();
}

std::string findHelpPage()
{
    // A page per language where there is one: index.zh.html, index.html.
    const std::string own = "/index." + uiLanguage() + ".html";
    std::error_code ec;
    for (const std::string& page : {own, std::string("/index.html")}) {
        const std::filesystem::path found = installedOrBuilt(
            (PEXOLEN_INSTALLED_HELP_DIR + page).c_str(), (PEXOLEN_BUILD_HELP_DIR + page).c_str());
        if (std::filesystem::exists(found, ec))
            return found.string();
    }
    // A build that has not made the page yet: the page as written.
    return PEXOLEN_DATA_DIR "/docs/help/index.html";
}

}  // namespace ovek

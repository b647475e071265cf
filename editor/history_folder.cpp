#include "editor/history_folder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace ovek {

namespace {

// Folders still to be removed when the program ends normally: the editor of
// the running program is never destroyed before exit. The list itself is
// never freed, so that owners destroyed after the exit handler still find it.
std::vector<std::string>& foldersLeft()
{
    static auto* folders = [] {
        std::atexit([] {
            std::error_code ec;
            for (const std::string& f : foldersLeft())
                fs::remove_all(f, ec);
        });
        return new std::vector<std::string>;
    }();
    return *folders;
}

// Makes a folder of this process's own below base, which is made first when
// missing. A name already taken (an earlier ring of this process, or a stale
// one of a process that had the same id) gets a suffix.
std::string makeOwnFolder(const fs::path& base, std::error_code& ec)
{
    fs::create_directories(base, ec);
    if (ec)
        return "";
    const std::string pid = std::to_string(long(getpid()));
    for (int n = 0; n < 100; ++n) {
        const fs::path own = base / (n == 0 ? pid : pid + "-" + std::to_string(n));
        if (fs::create_directory(own, ec))
            return own.string();
        if (ec)
            return "";
    }
    ec = std::make_error_code(std::errc::file_exists);
    return "";
}

void sayOnce(bool& said, const std::string& text)
{
    if (said)
        return;
    said = true;
    std::fprintf(stderr, "pexolen: %s\n", text.c_str());
}

}  // namespace

std::string userHistoryFolder()
{
    for (const char* var : {"XDG_CACHE_HOME", "HOME"}) {
        const char* value = std::getenv(var);
        if (!value || value[0] != '/')
            continue;
        fs::path p(value);
        if (var[0] == 'H')
            p /= ".cache";
        return (p / "pexolen" / "history").string();
    }
    return "";
}

HistoryFolder::HistoryFolder(std::string root) : root_(std::move(root)) {}

HistoryFolder::~HistoryFolder()
{
    if (folder_.empty())
        return;
    std::error_code ec;
    fs::remove_all(folder_, ec);
    auto& list = foldersLeft();
    list.erase(std::remove(list.begin(), list.end(), folder_), list.end());
    if (!madeParent_.empty())
        fs::remove(madeParent_, ec);   // only when nothing else is left in it
}

bool HistoryFolder::make()
{
    static bool saidMoved = false;
    static bool saidNone = false;
    std::error_code ec;
    const fs::path parent = fs::path(root_) / "history";
    const bool parentExisted = fs::is_directory(parent, ec);
    std::string made = makeOwnFolder(parent, ec);
    if (!made.empty()) {
        if (!parentExisted)
            madeParent_ = parent.string();
    } else {
        const std::string why = ec.message();
        const std::string user = userHistoryFolder();
        if (!user.empty())
            made = makeOwnFolder(user, ec);
        if (made.empty()) {
            sayOnce(saidNone, "no folder can hold the undo history (" + parent.string() + ": " +
                                  why + "); undo and redo will not work");
            return false;
        }
        sayOnce(saidMoved, "the working folder cannot hold the undo history (" + parent.string() +
                               ": " + why + "); it is kept in " + user);
    }
    folder_ = made;
    foldersLeft().push_back(folder_);
    return true;
}

std::string HistoryFolder::slotPath(int slot)
{
    std::error_code ec;
    // Someone may have removed the folder while the program runs: make it again.
    if (!folder_.empty() && !fs::is_directory(folder_, ec))
        fs::create_directories(folder_, ec);
    if (folder_.empty() && !make())
        return "";
    return (fs::path(folder_) / (std::to_string(slot) + ".om")).string();
}

}  // namespace ovek

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

// A ring's folder, and the "history" folder made for it (or "").
struct Made {
    std::string folder;
    std::string parent;
};

// Removes the folder with its snapshots, then the parent if nothing else is
// left in it.
void removeMade(const Made& m)
{
    std::error_code ec;
    fs::remove_all(m.folder, ec);
    if (!m.parent.empty())
        fs::remove(m.parent, ec);
}

// Folders still to be removed when the program ends normally: the editor of
// the running program is never destroyed before exit. The list itself is
// never freed, so that owners destroyed after the exit handler still find it.
std::vector<Made>& foldersLeft()
{
    static auto* folders = [] {
        std::atexit([] {
            for (const Made& m : foldersLeft())
                removeMade(m);
        });
        return new std::vector<Made>;
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
    removeMade({folder_, madeParent_});
    auto& list = foldersLeft();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [this](const Made& m) { return m.folder == folder_; }),
               list.end());
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
    foldersLeft().push_back({folder_, madeParent_});
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

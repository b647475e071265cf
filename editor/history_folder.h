#pragma once
// Where the model editor keeps its undo snapshots: a folder of this process's
// own below "history" in the working folder or, when that cannot be written,
// below the user's cache folder. Two programs running at once therefore never
// share one ring. The folder goes away with its owner, or at a normal exit.
#include <string>

namespace ovek {

class HistoryFolder {
public:
    // root: the folder below which "history" is made (the working folder).
    explicit HistoryFolder(std::string root);
    // Removes the folder this object made, with its snapshots.
    ~HistoryFolder();
    HistoryFolder(const HistoryFolder&) = delete;
    HistoryFolder& operator=(const HistoryFolder&) = delete;

    // The file for snapshot slot k ("k.om" in the folder), making the folder
    // when it is missing. "" when no folder can be made anywhere.
    std::string slotPath(int slot);
    // The folder in use; "" before the first slotPath or when there is none.
    const std::string& folder() const { return folder_; }

private:
    bool make();

    std::string root_;
    std::string folder_;
    std::string madeParent_;   // "history" in the working folder when we made it
};

// The per-user folder for rings that cannot live in the working folder:
// $XDG_CACHE_HOME/pexolen/history, else $HOME/.cache/pexolen/history; ""
// when neither variable gives an absolute path.
std::string userHistoryFolder();

}  // namespace ovek

#include "editor/history_ring.h"

#include <cstdio>

#include "mesh/model_file.h"

namespace ovek {

HistoryRing::HistoryRing(std::string root) : root_(std::move(root))
{
    held_.fill(-1);
}

std::string HistoryRing::slotPath(int slot)
{
    if (!folder_)
        folder_ = std::make_unique<HistoryFolder>(root_.empty() ? getRootPath() : root_);
    return folder_->slotPath(slot);
}

bool HistoryRing::save(int counter, const Component3D* mesh)
{
    const int slot = counter % kSlots;
    const std::string path = slotPath(slot);
    held_[size_t(slot)] = -1;
    if (path.empty())
        return false;   // already said why
    const FileResult r = saveModel(path.c_str(), mesh);
    if (!r) {
        static bool said = false;
        if (!said)
            std::fprintf(stderr, "pexolen: an undo step could not be saved (%s): %s\n",
                         path.c_str(), r.error.c_str());
        said = true;
        std::remove(path.c_str());
        return false;
    }
    held_[size_t(slot)] = counter;
    return true;
}

bool HistoryRing::load(int counter, Component3D* mesh)
{
    const int slot = counter % kSlots;
    if (held_[size_t(slot)] != counter)
        return false;
    const std::string path = slotPath(slot);
    if (path.empty() || !loadModel(path.c_str(), mesh))
        return false;
    // Whatever was drawn or derived from the old geometry is out of date.
    mesh->refresh();
    return true;
}

void HistoryRing::initHistory(const Component3D* mesh)
{
    historyFirst = historyLast = historyCurrent = 0;
    held_.fill(-1);
    save(0, mesh);
}

void HistoryRing::updateHistory(const Component3D* mesh)
{
    ++historyCurrent;
    historyLast = historyCurrent;
    if (historyCurrent - kSlots >= historyFirst)
        historyFirst = historyCurrent - (kSlots - 1);
    save(historyCurrent, mesh);
}

bool HistoryRing::undo(Component3D* mesh)
{
    if (historyFirst >= historyCurrent || !load(historyCurrent - 1, mesh))
        return false;
    --historyCurrent;
    return true;
}

bool HistoryRing::redo(Component3D* mesh)
{
    if (historyCurrent >= historyLast || !load(historyCurrent + 1, mesh))
        return false;
    ++historyCurrent;
    return true;
}

}  // namespace ovek

#pragma once
// The model editor's undo history: a ring of 30 snapshot files of the whole
// mesh in the native model format. Counters only grow; the slot of counter c
// is c mod 30, so the ring holds the current state and up to 29 earlier ones.
#include <array>
#include <memory>
#include <string>

#include "editor/history_folder.h"
#include "mesh/component3d.h"

namespace ovek {

class HistoryRing {
public:
    static constexpr int kSlots = 30;

    int historyFirst = 0;     // oldest counter still held
    int historyLast = 0;      // newest counter; redo goes up to it
    int historyCurrent = 0;   // counter of the state the mesh shows

    // root: the folder the ring's folder is made below; "" takes the root
    // path (the working folder at its first use) when the first snapshot is
    // written.
    explicit HistoryRing(std::string root = "");

    // Restarts the counters and records the mesh as counter 0.
    void initHistory(const Component3D* mesh);
    // Records the mesh as the next counter; the redo states are dropped.
    void updateHistory(const Component3D* mesh);
    // Load the previous or next state into the mesh. Nothing happens (false)
    // at either end of the history, or when that state's snapshot was never
    // written or cannot be read: the mesh and the counters then stay as
    // they are.
    bool undo(Component3D* mesh);
    bool redo(Component3D* mesh);

    // The file of a slot; "" when no folder can hold the ring.
    std::string slotPath(int slot);

private:
    bool save(int counter, const Component3D* mesh);
    bool load(int counter, Component3D* mesh);

    std::string root_;
    std::unique_ptr<HistoryFolder> folder_;
    // The counter whose snapshot each slot's file holds, -1 when none: a slot
    // whose last write failed may still hold a state from 30 steps earlier,
    // which must never be loaded in its place.
    std::array<int, kSlots> held_;
};

}  // namespace ovek

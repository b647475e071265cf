#pragma once
// A model editor wired to a fake window system, a plain component standing in
// for the pane, and an undo ring in a temporary folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model_edit.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/test_util.h"
#include "tests/toolkit/fake_window_system.h"
#include "toolkit/platform.h"

namespace edittest {

// Two separate boxes of 8 points and 12 faces each, the second 3 to the right.
inline void addTwoBoxes(Component3D& mesh)
{
    for (int box = 0; box < 2; ++box) {
        const size_t base = mesh.points.size();
        for (int i = 0; i < 8; ++i)
            mesh.addPoint(new Point3D(3 * box + (i & 1), (i >> 1) & 1, (i >> 2) & 1));
        const int f[12][3] = {{0, 1, 2}, {3, 1, 2}, {4, 5, 6}, {7, 5, 6}, {1, 0, 5}, {0, 2, 4},
                              {2, 3, 6}, {3, 1, 7}, {5, 4, 0}, {4, 6, 2}, {6, 7, 3}, {7, 5, 1}};
        for (const auto& t : f)
            meshtest::addFace(mesh, base + t[0], base + t[1], base + t[2]);
    }
}

inline int selectedCount(const Component3D& mesh)
{
    int n = 0;
    for (const auto& p : mesh.points)
        n += p->selected ? 1 : 0;
    return n;
}

inline void selectOnly(Component3D& mesh, std::initializer_list<size_t> which)
{
    for (auto& p : mesh.points)
        p->selected = 0;
    for (size_t i : which)
        mesh.points[i]->selected = 1;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ovek::MYPLAT.init(&windows, 866, 592);
        pane.setBounds(0, 38, 861, 490);
        edit.history = ovek::HistoryRing(historyRoot.path().string());
    }
    void TearDown() override { ovek::MYPLAT.reset(); }

    void init() { edit.init(&scene, &mesh, std::vector<ovek::Component*>{&pane}); }

    // Modifier keys the next records carry.
    void hold(std::initializer_list<int> keys)
    {
        mods = {};
        for (int k : keys) {
            mods.shift |= k == ovek::kKeyShift;
            mods.ctrl |= k == ovek::kKeyControl;
            mods.alt |= k == ovek::kKeyAlt;
        }
    }
    void press(int key, ovek::EventObject* source = ovek::MYPLAT.getRootComponent())
    {
        edit.keyUp(key, source, mods);
    }

    faketk::FakeWindowSystem windows;
    testutil::TempDir historyRoot;
    Sence3D scene;
    Editable3D mesh;
    ovek::Component pane;
    ovek::ModelEdit edit;
    ovek::InputMods mods;
};

}  // namespace edittest

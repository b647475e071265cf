#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "editor/history_ring.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/test_util.h"

namespace {

namespace fs = std::filesystem;
using ovek::HistoryRing;

// The mesh of state n: one point at x = n.
void showState(Component3D& mesh, int n)
{
    mesh.clear();
    meshtest::addPoints(mesh, {{double(n), 0, 0}});
}

double stateOf(const Component3D& mesh)
{
    return mesh.points.empty() ? -1 : mesh.points[0]->x;
}

// Folders of rings (one per process or ring) below a "history" folder.
int ringsBelow(const fs::path& history)
{
    std::error_code ec;
    int n = 0;
    for (auto it = fs::directory_iterator(history, ec); !ec && it != fs::directory_iterator(); ++it)
        ++n;
    return n;
}

TEST(HistoryRing, CountersKeepTheLast30StatesAndANewStepDropsTheRedoStates)
{
    testutil::TempDir root;
    HistoryRing ring(root.path().string());
    Component3D mesh;
    showState(mesh, 0);
    ring.initHistory(&mesh);
    for (int n = 1; n <= 31; ++n) {
        showState(mesh, n);
        ring.updateHistory(&mesh);
    }
    EXPECT_EQ(ring.historyCurrent, 31);
    EXPECT_EQ(ring.historyFirst, 2);
    EXPECT_EQ(ring.historyLast, 31);

    // Redo at the end loads nothing, so an unsaved change stays.
    mesh.points[0]->x = 99;
    EXPECT_FALSE(ring.redo(&mesh));
    EXPECT_EQ(stateOf(mesh), 99);

    for (int n = 30; n >= 2; --n) {
        ASSERT_TRUE(ring.undo(&mesh)) << n;
        EXPECT_EQ(stateOf(mesh), n);
    }
    // The 30th undo: state 1's slot now holds state 31, and it is not loaded.
    EXPECT_FALSE(ring.undo(&mesh));
    EXPECT_EQ(stateOf(mesh), 2);
    EXPECT_EQ(ring.historyCurrent, 2);

    ASSERT_TRUE(ring.redo(&mesh));
    ASSERT_TRUE(ring.redo(&mesh));
    EXPECT_EQ(stateOf(mesh), 4);
    showState(mesh, 100);
    ring.updateHistory(&mesh);
    EXPECT_EQ(ring.historyLast, 5);
    EXPECT_FALSE(ring.redo(&mesh));
    EXPECT_EQ(stateOf(mesh), 100);
    ASSERT_TRUE(ring.undo(&mesh));
    EXPECT_EQ(stateOf(mesh), 4);
}

TEST(HistoryRing, WorksFromAFreshFolderAndTidiesUpAfterItself)
{
    testutil::TempDir root;
    const fs::path history = root.path() / "history";
    Component3D mesh;
    {
        HistoryRing ring(root.path().string()), other(root.path().string());
        showState(mesh, 0);
        ring.initHistory(&mesh);
        other.initHistory(&mesh);
        // Each ring has a folder of its own in the folder made for them.
        EXPECT_EQ(ringsBelow(history), 2);
        const fs::path slot0 = ring.slotPath(0);
        EXPECT_EQ(slot0.parent_path().parent_path(), history);
        EXPECT_EQ(slot0.filename(), "0.om");
        EXPECT_NE(slot0, fs::path(other.slotPath(0)));
        EXPECT_TRUE(fs::exists(slot0));

        showState(mesh, 1);
        ring.updateHistory(&mesh);
        showState(mesh, 7);
        other.updateHistory(&mesh);   // does not disturb the first ring
        ASSERT_TRUE(ring.undo(&mesh));
        EXPECT_EQ(stateOf(mesh), 0);
        ASSERT_TRUE(ring.redo(&mesh));
        EXPECT_EQ(stateOf(mesh), 1);

        // Removed under the running program: made again at the next step;
        // the steps lost with it are not loaded.
        fs::remove_all(slot0.parent_path());
        showState(mesh, 2);
        ring.updateHistory(&mesh);
        EXPECT_TRUE(fs::exists(ring.slotPath(2)));
        EXPECT_FALSE(ring.undo(&mesh));
        EXPECT_EQ(stateOf(mesh), 2);
    }
    EXPECT_FALSE(fs::exists(history));

    // A normal exit removes the folders of rings still alive.
    EXPECT_EXIT(
        {
            // Never destroyed, like the running program's editor.
            static auto* ring = new HistoryRing(root.path().string());
            ring->initHistory(&mesh);
            std::exit(fs::exists(ring->slotPath(0)) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(fs::exists(history));
}

TEST(HistoryRing, MovesToTheUserCacheWhenTheWorkingFolderCannotHoldIt)
{
    testutil::TempDir cache, readOnly;
    ::setenv("XDG_CACHE_HOME", cache.path().c_str(), 1);
    std::vector<std::string> roots = {"/proc", (readOnly.path() / "missing" / "deeper").string()};
    // A folder without write permission stops everybody but the superuser.
    if (geteuid() != 0) {
        ::chmod(readOnly.path().c_str(), 0555);
        roots.push_back(readOnly.path().string());
    } else {
        testutil::writeFile(readOnly.file("missing"), "a file where a folder is needed");
    }
    ::testing::internal::CaptureStderr();
    for (const std::string& r : roots) {
        HistoryRing ring(r);
        Component3D mesh;
        showState(mesh, 0);
        ring.initHistory(&mesh);
        showState(mesh, 1);
        ring.updateHistory(&mesh);
        EXPECT_EQ(fs::path(ring.slotPath(0)).parent_path().parent_path(),
                  cache.path() / "pexolen" / "history")
            << r;
        ASSERT_TRUE(ring.undo(&mesh)) << r;
        EXPECT_EQ(stateOf(mesh), 0);
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    ::chmod(readOnly.path().c_str(), 0755);
    // Said once, naming where the ring went.
    EXPECT_EQ(said.find("undo history"), said.rfind("undo history")) << said;
    EXPECT_NE(said.find(cache.path().string()), std::string::npos) << said;
    EXPECT_EQ(ringsBelow(cache.path() / "pexolen" / "history"), 0);
    ::unsetenv("XDG_CACHE_HOME");
}

TEST(HistoryRing, ASnapshotThatFailsNeverReachesTheMesh)
{
    testutil::TempDir root;
    struct Case {
        const char* what;
        void (*spoil)(const std::string& slotFile);
    } cases[] = {
        // The step cannot be written: an old state in its slot stays behind.
        {"unwritable", [](const std::string& f) {
             fs::remove(f);
             fs::create_directories(fs::path(f) / "in the way");
         }},
        {"truncated", [](const std::string& f) { fs::resize_file(f, 20); }},
        {"removed", [](const std::string& f) { fs::remove(f); }},
    };
    for (const Case& c : cases) {
        HistoryRing ring(root.path().string());
        Component3D mesh;
        showState(mesh, 0);
        ring.initHistory(&mesh);
        for (int n = 1; n <= 32; ++n) {
            showState(mesh, n);
            if (n == 32)   // slot 2 holds state 2 from before
                c.spoil(ring.slotPath(2));
            ring.updateHistory(&mesh);
        }
        const bool written = std::string(c.what) != "unwritable";
        // Back to 31 always works; forward to 32 only when it was written and is intact.
        ASSERT_TRUE(ring.undo(&mesh)) << c.what;
        EXPECT_EQ(stateOf(mesh), 31) << c.what;
        if (written)
            c.spoil(ring.slotPath(2));
        EXPECT_FALSE(ring.redo(&mesh)) << c.what;
        EXPECT_EQ(stateOf(mesh), 31) << c.what;
        EXPECT_EQ(ring.historyCurrent, 31) << c.what;
    }
}

}  // namespace

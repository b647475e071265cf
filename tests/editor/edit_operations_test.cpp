#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/edit_operations.h"
#include "mesh/model_file.h"
#include "tests/editor/editor_fixture.h"

namespace {

using edittest::EditorTest;
using edittest::selectedCount;
using edittest::selectOnly;
using meshtest::addFace;
using meshtest::addPoints;
using ovek::ModelEdit;

int indexOf(const Component3D& mesh, const Point3D* p)
{
    for (size_t i = 0; i < mesh.points.size(); ++i)
        if (mesh.points[i].get() == p)
            return int(i);
    return -1;
}

// The faces as point indices, "a b c" each.
std::vector<std::string> faceList(const Component3D& mesh)
{
    std::vector<std::string> out;
    for (const auto& f : mesh.faces)
        out.push_back(std::to_string(indexOf(mesh, f->p1)) + " " + std::to_string(indexOf(mesh, f->p2)) +
                      " " + std::to_string(indexOf(mesh, f->p3)));
    return out;
}

// Points 0 (0, 0), 1 (1, 0), 2 (0, 1), 3 (-1, 1) in z = 0; faces 0 1 2 and 2 3 0.
void makeTwoFaces(Component3D& mesh, std::initializer_list<size_t> selected)
{
    addPoints(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 1, 0}});
    addFace(mesh, 0, 1, 2);
    addFace(mesh, 2, 3, 0);
    selectOnly(mesh, selected);
}

void expectStaticCopiesMatch(const Component3D& mesh)
{
    ASSERT_EQ(mesh.points.size(), mesh.staticPoints.size());
    for (size_t i = 0; i < mesh.points.size(); ++i) {
        EXPECT_EQ(mesh.points[i]->x, mesh.staticPoints[i]->x);
        EXPECT_EQ(mesh.points[i]->y, mesh.staticPoints[i]->y);
        EXPECT_EQ(mesh.points[i]->z, mesh.staticPoints[i]->z);
        EXPECT_NE(mesh.points[i].get(), mesh.staticPoints[i].get());
    }
}

TEST_F(EditorTest, InsertsPutSelectedGeometryAroundTheCentreAndRecordIt)
{
    // Without a view the centre is the origin; its placement under the
    // pointer is checked with a real view elsewhere.
    addPoints(mesh, {{5, 5, 5}});
    mesh.points[0]->selected = 1;
    init();

    ovek::MODEL_EDIT::operation_insert_point(&mesh, &edit, 0, 0);
    EXPECT_EQ(selectedCount(mesh), 2);   // the earlier selection stays
    EXPECT_EQ(edit.history.historyCurrent, 1);

    ovek::MODEL_EDIT::operation_insert_triangle(&mesh, &edit, 0, 0);
    ASSERT_EQ(mesh.points.size(), 5u);
    EXPECT_EQ(selectedCount(mesh), 3);
    EXPECT_EQ(faceList(mesh), (std::vector<std::string>{"2 3 4"}));
    const Point3D* t1 = mesh.points[2].get();
    const Point3D* t2 = mesh.points[3].get();
    const Point3D* t3 = mesh.points[4].get();
    EXPECT_DOUBLE_EQ(t1->y, -0.3);
    EXPECT_DOUBLE_EQ(t2->x, -0.5);
    EXPECT_DOUBLE_EQ(t2->y, 0.3);
    EXPECT_DOUBLE_EQ(t3->x, 0.5);

    ovek::MODEL_EDIT::operation_insert_box(&mesh, &edit, 0, 0);
    ASSERT_EQ(mesh.points.size(), 13u);
    EXPECT_EQ(selectedCount(mesh), 8);
    for (size_t i = 5; i < 13; ++i) {
        const Point3D& p = *mesh.points[i];
        const int bit = int(i - 5);
        EXPECT_TRUE(p.selected);
        EXPECT_DOUBLE_EQ(p.x, bit & 1 ? 0.3 : -0.3);
        EXPECT_DOUBLE_EQ(p.y, bit & 2 ? 0.3 : -0.3);
        EXPECT_DOUBLE_EQ(p.z, bit & 4 ? 0.3 : -0.3);
    }
    EXPECT_EQ(faceList(mesh), (std::vector<std::string>{
                                  "2 3 4", "5 6 7", "8 6 7", "9 10 11", "12 10 11", "6 5 10", "5 7 9",
                                  "7 8 11", "8 6 12", "10 9 5", "9 11 7", "11 12 8", "12 10 6"}));
    EXPECT_EQ(edit.history.historyCurrent, 3);
    expectStaticCopiesMatch(mesh);
}

TEST(EditOperations, ExtendBuildsOneWallPerSelectedEdgeAndMovesTheSelection)
{
    struct Case {
        const char* what;
        std::initializer_list<size_t> selected;
        size_t newPoints;
        std::vector<std::string> newFaces;
    } cases[] = {
        {"one face", {0, 1, 2}, 3, {"0 4 5", "0 1 5", "1 5 6", "1 2 6", "2 6 4", "2 0 4"}},
        // The shared edge 0-2 of the two faces gets one wall only.
        {"two faces", {0, 1, 2, 3}, 4,
         {"0 4 5", "0 1 5", "1 5 6", "1 2 6", "2 6 4", "2 0 4", "2 6 7", "2 3 7", "3 7 4",
          "3 0 4"}},
        {"one point", {3}, 1, {}},
        {"an edge without a face", {1, 3}, 2, {}},
        {"nothing", {}, 0, {}},
    };
    for (const Case& c : cases) {
        Component3D mesh;
        makeTwoFaces(mesh, c.selected);
        ovek::extendSelection(mesh);
        EXPECT_EQ(mesh.points.size(), 4 + c.newPoints) << c.what;
        std::vector<std::string> faces = faceList(mesh);
        faces.erase(faces.begin(), faces.begin() + 2);
        EXPECT_EQ(faces, c.newFaces) << c.what;
        // The copies sit on their originals and carry the selection.
        size_t k = 4;
        for (size_t i : c.selected) {
            EXPECT_FALSE(mesh.points[i]->selected) << c.what;
            EXPECT_TRUE(mesh.points[k]->selected) << c.what;
            EXPECT_EQ(mesh.points[k]->x, mesh.points[i]->x) << c.what;
            EXPECT_EQ(mesh.points[k]->y, mesh.points[i]->y) << c.what;
            ++k;
        }
        EXPECT_EQ(size_t(selectedCount(mesh)), c.newPoints) << c.what;
        expectStaticCopiesMatch(mesh);
    }
}

TEST(EditOperations, RemoveFacesAndPointsGoByTheSelection)
{
    struct Case {
        const char* what;
        std::initializer_list<size_t> selected;
        bool points;   // remove points, else faces
        size_t pointsLeft;
        std::vector<std::string> facesLeft;
    } cases[] = {
        {"faces: all three corners", {0, 1, 2}, false, 4, {"2 3 0"}},
        {"faces: two corners are not enough", {0, 2}, false, 4, {"0 1 2", "2 3 0"}},
        {"points: every face touching one goes", {1}, true, 3, {"1 2 0"}},
        {"points: all of them", {0, 1, 2, 3}, true, 0, {}},
        {"points: none", {}, true, 4, {"0 1 2", "2 3 0"}},
    };
    for (const Case& c : cases) {
        Component3D mesh;
        makeTwoFaces(mesh, c.selected);
        if (c.points)
            ovek::removeSelectedPoints(mesh);
        else
            ovek::removeSelectedFaces(mesh);
        EXPECT_EQ(mesh.points.size(), c.pointsLeft) << c.what;
        EXPECT_EQ(faceList(mesh), c.facesLeft) << c.what;
        expectStaticCopiesMatch(mesh);
    }
}

TEST(EditOperations, SelectLinkedFollowsFaceEdgesOnly)
{
    Component3D mesh;
    edittest::addTwoBoxes(mesh);
    addPoints(mesh, {{9, 9, 9}});   // linked to nothing
    selectOnly(mesh, {6});
    ovek::selectLinkedPoints(mesh);
    EXPECT_EQ(selectedCount(mesh), 8);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_TRUE(mesh.points[i]->selected) << i;
    selectOnly(mesh, {16});
    ovek::selectLinkedPoints(mesh);
    EXPECT_EQ(selectedCount(mesh), 1);
    ovek::selectAllPoints(mesh);
    EXPECT_EQ(selectedCount(mesh), 17);
}

TEST(EditOperations, AddFaceNeedsExactlyThreeSelectedPointsNotYetAFace)
{
    struct Case {
        const char* what;
        std::initializer_list<size_t> selected;
        bool added;
    } cases[] = {
        {"four", {0, 1, 2, 4}, false},
        {"two", {0, 1}, false},
        {"already a face, other corner order", {0, 1, 2}, false},
        {"new", {1, 2, 4}, true},
    };
    for (const Case& c : cases) {
        Component3D mesh;
        addPoints(mesh, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 1, 0}, {2, 2, 0}});
        addFace(mesh, 2, 0, 1);
        selectOnly(mesh, c.selected);
        EXPECT_EQ(ovek::addFaceOfSelection(mesh), c.added) << c.what;
        EXPECT_EQ(mesh.faces.size(), c.added ? 2u : 1u) << c.what;
        if (c.added) {
            EXPECT_EQ(faceList(mesh).back(), "1 2 4");
        }
    }
}

TEST_F(EditorTest, ImportAddsTheFileSelectedWhateverTheCaseOfItsEnding)
{
    addPoints(mesh, {{5, 5, 5}});
    mesh.points[0]->selected = 1;
    init();
    testutil::TempDir files;
    Component3D triangle;
    addPoints(triangle, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    addFace(triangle, 0, 1, 2);
    ASSERT_TRUE(ovek::saveModel(files.file("tri.OM").c_str(), &triangle));
    std::filesystem::copy(std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds", files.file("DEMO.3DS"));
    testutil::writeFile(files.file("broken.om"), "not a model");

    struct Case {
        std::string answer;   // "" cancels the dialog
        size_t points, faces;
        int snapshots;
    } cases[] = {
        {"", 1, 0, 0},
        {files.file("tri.OM"), 4, 1, 1},
        {files.file("broken.om"), 4, 1, 1},   // nothing read: only the selection is cleared
        {files.file("DEMO.3DS"), 0, 0, 1},    // points and faces checked below
    };
    for (const Case& c : cases) {
        windows.dialogAnswer = c.answer;
        const int before = edit.history.historyCurrent;
        edit.doCommand(ModelEdit::COMMAND_IMPORT);
        EXPECT_EQ(edit.history.historyCurrent - before, c.snapshots) << c.answer;
        if (c.points) {
            EXPECT_EQ(mesh.points.size(), c.points) << c.answer;
            EXPECT_EQ(mesh.faces.size(), c.faces) << c.answer;
        }
    }
    // The user is told why nothing came from the broken file, and only of that.
    int messages = 0;
    for (const std::string& call : windows.calls)
        if (call.rfind("message", 0) == 0) {
            ++messages;
            EXPECT_NE(call.find("Nothing imported from '" + files.file("broken.om")),
                      std::string::npos)
                << call;
        }
    EXPECT_EQ(messages, 1);
    ASSERT_EQ(windows.lastFilters.size(), 3u);
    EXPECT_EQ(windows.lastFilters[0].label, "3DS Files(*.3ds)");
    EXPECT_EQ(windows.lastFilters[0].pattern, "*.3ds");
    EXPECT_EQ(windows.lastFilters[1].label, "Ovek Model File(*.om)");
    EXPECT_EQ(windows.lastFilters[1].pattern, "*.om");
    EXPECT_EQ(windows.lastFilters[2].pattern, "*.obj;*.stl;*.ply;*.gltf;*.glb;*.off;*.fbx;*.dae");

    // Everything before the last import is deselected; what it brought is
    // selected, fitted into the box of side 2, and its faces use its points.
    Component3D demo;
    const Point3D lo(-1, -1, -1), hi(1, 1, 1);
    ASSERT_TRUE(demo.load(files.file("DEMO.3DS").c_str(), &lo, &hi));
    ASSERT_EQ(mesh.points.size(), 4 + demo.points.size());
    ASSERT_EQ(mesh.faces.size(), 1 + demo.faces.size());
    EXPECT_EQ(size_t(selectedCount(mesh)), demo.points.size());
    for (size_t i = 0; i < demo.points.size(); ++i) {
        EXPECT_EQ(mesh.points[4 + i]->x, demo.points[i]->x);
        EXPECT_EQ(mesh.points[4 + i]->y, demo.points[i]->y);
    }
    EXPECT_EQ(indexOf(mesh, mesh.faces.back()->p1), 4 + indexOf(demo, demo.faces.back()->p1));
    expectStaticCopiesMatch(mesh);
}

}  // namespace

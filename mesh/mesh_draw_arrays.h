#pragma once
// A mesh flattened into the arrays a graphics library draws in a few calls:
// three vertices and three copies of the face normal per face, in face order,
// cut into runs of faces of one colour; and the points, unselected first. Built
// from the mesh when its geometry, lists or selection changed, kept otherwise,
// so a repaint of an unchanged mesh does not walk it again.
#include <cstddef>
#include <memory>
#include <vector>

class Component3D;

namespace ovek {

// Consecutive faces drawn in one colour.
struct FaceRun {
    size_t firstFace = 0;
    size_t faceCount = 0;
    bool selected = false;   // a corner of every face in the run is selected
};

// What tells that the arrays no longer show the mesh. Every edit of the mesh
// bumps its changeCount (moves through the transform, which is how the points
// themselves are refreshed; direct edits of the lists or the selection through
// refresh()); a loaded file's lists bump listsReplaced instead, as the
// transform stays. The counts and the lists' storage also catch lists grown or
// swapped without either.
struct MeshDrawKey {
    int changeCount = 0;
    int listsReplaced = 0;
    size_t faceCount = 0;
    size_t pointCount = 0;
    const void* faceStorage = nullptr;    // faces.data()
    const void* pointStorage = nullptr;   // points.data()

    bool operator==(const MeshDrawKey& o) const
    {
        return changeCount == o.changeCount && listsReplaced == o.listsReplaced &&
               faceCount == o.faceCount &&
               pointCount == o.pointCount && faceStorage == o.faceStorage &&
               pointStorage == o.pointStorage;
    }
    bool operator!=(const MeshDrawKey& o) const { return !(*this == o); }
};

MeshDrawKey drawKeyOf(const Component3D& mesh);

// What a graphics library made from the arrays to draw them again without
// them (a display list, say); owned by the arrays, freed with them.
class CompiledMeshDraw {
public:
    virtual ~CompiledMeshDraw() = default;
};

struct MeshDrawArrays {
    MeshDrawKey key;                    // the mesh state the arrays were built from
    bool built = false;                 // the arrays below hold key's state
    std::vector<float> faceVertices;    // x y z, 3 vertices per face
    std::vector<float> faceNormals;     // x y z, the face normal turned towards +z, per vertex
    std::vector<FaceRun> runs;          // covering every face, in order
    std::vector<float> pointVertices;   // x y z, unselected points then selected ones
    size_t unselectedPoints = 0;        // how many of pointVertices come first
    std::unique_ptr<CompiledMeshDraw> compiled;   // null until the painter makes one

    // Whether the arrays are built and still show mesh.
    bool current(const Component3D& mesh) const { return built && key == drawKeyOf(mesh); }
    // Rebuilds the arrays from mesh unless they are current; true if rebuilt.
    bool follow(const Component3D& mesh);
    // Rebuilds the arrays from mesh.
    void build(const Component3D& mesh);
    // Frees the arrays (not the compiled form) once the painter no longer
    // needs them; the next follow() builds them again.
    void release();
};

}  // namespace ovek

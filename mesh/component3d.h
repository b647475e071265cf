#pragma once
// The editable triangle mesh of the modeller. Every point is kept twice: the
// untransformed copy (staticPoints) and the current one (points). Interactive
// rotate, resize and move only change a transform and mark the mesh changed;
// update() recomputes points from staticPoints lazily, for the whole mesh or
// for the selected points only.
#include <memory>
#include <vector>

#include "base/file_result.h"
#include "mesh/geometry.h"
#include "mesh/mesh_draw_arrays.h"
#include "scene3d/event3d.h"

class BaseChunk;
class FaceListChunk;
class FacesModel;

class Component3D : public Object3D, public Event3D {
public:
    unsigned char showing = 0;      // set while a draw emits the faces
    unsigned char operating = 0;    // set while a load, an operation or a draw owns the mesh
    Point3D boundMin;               // box of points after a whole-mesh update (x, y, z only)
    Point3D boundMax;
    int showMode = 0;               // display bits; >> 2 picks the point-normal pass (1 or 2)
    float emission[4] = {0, 0, 0, 0};   // r, g, b, a of unselected faces
    bool lightOn = true;            // stored only
    Point3D position;               // translation added after the rotation (x, y, z only)
    int updateMode = 0;             // 0 whole mesh, otherwise the selected points only
    int changeCount = 0;            // bumped by every geometry or transform change
    int updatedCount = 0;           // changeCount when update() last completed
    int listsReplaced = 0;          // bumped when a loaded file's lists replace these
    double centerX = 0;             // centre the rotation acts about, set by update()
    double centerY = 0;
    double centerZ = 0;
    std::vector<FaceListChunk*> faceLists;           // gathered during a 3DS load; not owned
    std::vector<std::unique_ptr<Triangle3D>> faces;  // corners are elements of points
    std::vector<std::unique_ptr<Point3D>> points;    // current positions
    std::vector<std::unique_ptr<Point3D>> staticPoints;   // untransformed; i belongs to points[i]
    double rotation[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};   // row-major, with scaling
    // The faces and points as the painter last drew them; made by the first
    // draw, rebuilt when the mesh changed. A cache: copies leave it behind.
    mutable std::unique_ptr<ovek::MeshDrawArrays> drawArrays;

    Component3D() = default;
    ~Component3D() override;

    // Lists.
    // Deletes every point and face and sets the position to zero; the rotation stays.
    void clear();
    // Takes p into points and a copy of its coordinates into staticPoints;
    // does not mark the mesh changed.
    void addPoint(Point3D* p);
    // Widens the bounding box to p; first restarts it at p.
    void setBounds(bool first, const Point3D* p);
    // A new plain mesh with this one's points, selection and faces.
    Component3D* clone() const;
    // Replaces target's points and faces with copies of these (normals,
    // transform, modes and colour are not copied).
    void cloneTo(Component3D* target) const;

    // 3DS files. Replaces the mesh with every triangle mesh of the file, axes
    // turned to the modeller's, fitted into the box min-max. A file that cannot
    // be read or parsed leaves the mesh as it was and gives the reason.
    ovek::FileResult load(const char* path, const Point3D* min, const Point3D* max);
    // Gathers the face lists of a chunk tree into faceLists, parents first.
    void load(BaseChunk* chunk);

    // Engine faces. Fixed scale: X = s x, Y = -s y, Z = s (z + 1) / 3 + 20.
    void toFacesModel(FacesModel* target, double scale) const;
    // Fitted: the mesh centred in x and y, filling width x height x depth,
    // its lowest point at depth 20.
    void toFacesModel(FacesModel* target, double width, double height, double depth) const;

    // Transform.
    Point3D* getPosition() { return &position; }
    void setPosition(double x, double y, double z);
    void initRotate();
    // Rotations by a radians, composed in the order they are made.
    void rotateX(double a);
    void rotateY(double a);
    void rotateZ(double a);
    // Scale one axis; factors within 0.01 of zero become +-0.01 (0 mirrors).
    void resizeX(double f);
    void resizeY(double f);
    void resizeZ(double f);
    // Applies pending changes under the old mode first.
    int setUpdateMode(int m);
    int getUpdateMode() const { return updateMode; }
    // Recomputes points from staticPoints when the mesh has changed, for the
    // whole mesh in mode 0 and for the selected points otherwise (the editor
    // picks the mode; holding Control there means the whole mesh).
    void update();
    // rotation * staticPoints[i] + position, without the centre.
    void updatePoint(int i, Point3D* out) const;
    // Bakes the current positions into staticPoints and zeroes the position.
    void updateToStatic();
    void refresh() { ++changeCount; }

    // Fitting.
    // Uniform fit of staticPoints centred into min-max, then a whole-mesh
    // update; a box given with max < min on an axis mirrors that axis.
    void setSize2(const Point3D* min, const Point3D* max);
    // Per-axis rescale to the extent max - min, the lowest coordinate kept.
    void setSize(const Point3D* min, const Point3D* max);

    // Point normals, from the faces of points.
    void updateNormal();
    // Each point takes the normal of its face facing most towards +z.
    void updateNormal1();
    // Each point takes the normalised sum of its faces' absolute normals.
    void updateNormal2();

    // Whether the pane pixel (x, y) lies over the mesh; needs the view's
    // OpenGL context current.
    bool isPointIn(double x, double y) override;

    // Locking against a draw: the flags are plain bytes, not atomics.
    void beginOperate();
    void endOperate() { operating = 0; }

    // Display.
    void show() override;
    void show0();
    void show1();
    virtual void setShowMode(int mode);
    virtual int getShowMode() const { return showMode; }
    void setEmissionColor(double r, double g, double b);
    void setLightOn(bool on) { lightOn = on; }

private:
    void transformPoint(size_t i);
    // Identity rotation and no translation.
    bool untransformed() const;
    void scaleRow(int row, double f);
};

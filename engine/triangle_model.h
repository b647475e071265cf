#pragma once
// The engine's triangle list: triangles over shared corner points, the
// scan-line query the face viewer runs on every row, and the drawing of a
// triangle's heights into a grid.
#include <memory>
#include <vector>

#include "engine/point3d_model.h"

class TriangleModel {
public:
    // The corners as given; not owned, they must outlive the triangle.
    Point3DModel* p0 = nullptr;
    Point3DModel* p1 = nullptr;
    Point3DModel* p2 = nullptr;
    // The same corners sorted by ascending y; equal y keep their given order.
    Point3DModel* low = nullptr;
    Point3DModel* mid = nullptr;
    Point3DModel* high = nullptr;

    // Leaves every corner unset.
    TriangleModel() = default;
    // Stores the corners and sorts them (init).
    TriangleModel(Point3DModel* a, Point3DModel* b, Point3DModel* c);

    // Sorts p0, p1, p2 into low, mid, high. Call again after moving a corner.
    void init();

    // Crosses the triangle with the horizontal line at y. Rows with
    // low.y < y <= mid.y cross edges low-mid (A) and low-high (B); rows with
    // mid.y <= y < high.y (and not the first case) cross low-high (A) and
    // mid-high (B). Any other y gives false and leaves the outputs alone.
    // The two crossings come in no particular left-right order.
    bool setLine(double y, double& xA, double& xB, double& zA, double& zB) const;

    // The value at y on the line from (y1, a1) to (y2, a2); the mean of a1 and
    // a2 when y1 and y2 are closer than 0.00001.
    static double getMiddle(double y1, double y2, double a1, double a2, double y);
    static double myabs(double v);

    // Height at (x, y) of the plane through p0, p1, p2. The point arguments are
    // not consulted; they are kept for callers that pass them.
    double getHeight(int x, int y, const Point3DModel* q1 = nullptr,
                     const Point3DModel* q2 = nullptr, const Point3DModel* q3 = nullptr) const;

    // Draws the triangle's plane heights into grid (rows of columns doubles,
    // grid[row * columns + column], row = y and column = x, uncentred) unless a
    // cell strictly inside one of its spans already holds a height above 0.5
    // that differs from the plane by more than 10; then nothing is drawn and
    // the result is false.
    bool toArray(std::vector<double>& grid, int columns, int rows) const;
};

// An ordered list of triangles. The list owns its triangles; corner points made
// through addPoint belong to the list as well, and all of them are released by
// clear() and the destructor. Other corner points belong to their creator.
class FacesModel {
public:
    std::vector<std::unique_ptr<TriangleModel>> triangles;  // in list order, owned
    std::vector<std::unique_ptr<Point3DModel>> points;      // corners made for this list, owned

    FacesModel() = default;
    ~FacesModel() = default;
    FacesModel(const FacesModel&) = delete;
    FacesModel& operator=(const FacesModel&) = delete;

    // Appends a triangle made with new; the list owns it from now on. Null is ignored.
    void add(TriangleModel* triangle);
    // Appends count triangles of an array, in order (count <= 0 appends nothing).
    void add(TriangleModel* const* list, int count);
    // Appends every triangle of a sequence, in order.
    void add(const std::vector<TriangleModel*>& sequence);
    // A new corner point, copied from corner, that lives as long as the list's
    // triangles (until clear() or destruction).
    Point3DModel* addPoint(const Point3DModel& corner);
    // Destroys all triangles and the list's own corner points.
    void clear();

    int size() const { return int(triangles.size()); }
    TriangleModel* get(int i) const { return triangles[size_t(i)].get(); }
};

#pragma once
// The model viewer shared by both stereogram generators: a pair of eyes above
// the object, the picture plane between them, the three colour planes of the
// picture being computed, and the colour copy that makes a stereogram.
//
// In the plane of one row the base is z = 0, the eyes sit at height eye_h and
// x = -eye_dis / +eye_dis, the picture plane is z = img_h. Positions are
// centred: picture column c is x = c - width/2, picture row r is
// row = r - height/2 (halves by shift).
#include <cstddef>
#include <vector>

class ObjectModel;
namespace ovek {
class Image;
}

// A table of columns x rows ints, column-major (index column * rows + row), zeros.
std::vector<int> Default_getIntArray(int columns, int rows);
double Math_abs(double v);
double Math_max(double a, double b);

class ViewerModel {
public:
    int width = 800;            // picture columns
    int height = 600;           // picture rows
    std::vector<int> planeR;    // bits 0-7 of the colours (first byte in memory), [column * height + row]
    std::vector<int> planeG;    // bits 8-15
    std::vector<int> planeB;    // bits 16-23
    double eye_dis = 100.0;     // half the distance between the eyes, pixels
    double eye_h = 860.0;       // eye height above the base plane, pixels
    double img_h = 580.0;       // picture-plane height above the base plane, pixels

    ViewerModel() = default;
    virtual ~ViewerModel() = default;
    ViewerModel(const ViewerModel&) = delete;
    ViewerModel& operator=(const ViewerModel&) = delete;

    // Sizes the picture (negative sizes count as 0) and seeds the planes: black
    // without pattern (or with an empty one), else the pattern tiled so that
    // its column 0 lands on the middle column.
    void init(int width, int height, const ovek::Image* pattern);

    // Computes one row; does nothing here. The generators add their own overload.
    virtual void produce(int start, int end, int row, ObjectModel* field, int count);

    double getEye_dis() const { return eye_dis; }
    void setEye_dis(double v) { eye_dis = v; }
    double getEye_h() const { return eye_h; }
    void setEye_h(double v) { eye_h = v; }
    double getImg_h() const { return img_h; }
    void setImg_h(double v) { img_h = v; }

    // Plane values; no bounds check (0 <= column < width, 0 <= row < height).
    int getR(int column, int row) const { return planeR[cell(column, row)]; }
    int getG(int column, int row) const { return planeG[cell(column, row)]; }
    int getB(int column, int row) const { return planeB[cell(column, row)]; }

    // Where the line from the eye at (eyeX, eye_h) to the surface point (x, z)
    // crosses the picture plane. The field form takes z = field.height(x, row).
    double getImageX(double eyeX, double x, int row, const ObjectModel* field) const;
    double getImageX(double eyeX, double x, int row, double z) const;
    double getImageRight(double x, int row, const ObjectModel* field) const;
    double getImageRight(double x, int row, double z) const;
    double getImageLeft(double x, int row, const ObjectModel* field) const;
    double getImageLeft(double x, int row, double z) const;

    // Height where the sight line from the eye at (eyeX, eye_h) through the
    // picture-plane point px meets the line through (x1, z1) and (x2, z2):
    // never above the higher end; the lower end's height when the two run
    // parallel. The five-argument form looks from eyeX = eye_dis.
    double getObjectRealH(double x1, double z1, double x2, double z2, double px) const;
    double getObjectRealH(double x1, double z1, double x2, double z2, double px,
                          double eyeX) const;
    // The x of that point, always within [min(x1, x2), max(x1, x2)]; the x of
    // the higher end (x2 when equally high) when the two run parallel.
    double getObjectRealX(double x1, double z1, double x2, double z2, double px,
                          double eyeX) const;

    // Copies into (column, row) the colour at centred position sourceX of the
    // same row, interpolated between its two neighbouring columns. Ignored
    // unless 1 <= source < width - 1 and the target lies inside the picture
    // without its last column and last row.
    void setColor(double sourceX, int column, int row);
    void setColor(double sourceX, int column, int row, std::vector<int>& plane);

protected:
    std::size_t cell(int column, int row) const
    {
        return std::size_t(column) * std::size_t(height) + std::size_t(row);
    }
};

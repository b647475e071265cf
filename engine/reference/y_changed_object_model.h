#pragma once
// Depth prepared for the vertical perspective. The row generators only shift
// colours sideways within a row, but the eyes also look up and down from the
// middle row, so a raised point is seen further from the middle row than its
// own y. This field holds, per picture column and picture row, the height of
// the surface seen there; the static helpers move triangle corners the same way.
#include <memory>
#include <vector>

#include "engine/object_model.h"

class FacesModel;
class Point3DModel;
class ViewerModel;

class YChangedObjectModel : public ObjectModel {
public:
    std::vector<double> table;  // table[column * rows + row], heights, zeros at first
    double img_h = 580.0;       // picture-plane height, copied from the viewer
    double eye_h = 860.0;       // eye height, copied from the viewer
    int columns = 0;            // table width
    int rows = 0;               // table height

    // Re-projects field (count is the number of fields to sample; always 1)
    // into a table of columns x rows (negative sizes count as 0).
    YChangedObjectModel(const ViewerModel& viewer, const ObjectModel* field, int count,
                        int columns, int rows);

    // Table lookup at ((columns >> 1) + trunc(x), (rows >> 1) + trunc(y)), 0 outside.
    double height(double x, double y) const override;

    // The picture row at which the surface point of field at (x, y) is seen.
    double getImgY(double x, double y, const ObjectModel* field) const;
    // Height where the vertical sight line from the eye at (0, eye_h) through
    // the picture-plane point py meets the line through (y1, z1) and (y2, z2),
    // always within [min(z1, z2), max(z1, z2)]; the larger when they run parallel.
    double getObjectRealDeep(double y1, double z1, double y2, double z2, double py) const;

    // Fills the table column for x from the segments between rows j and j + 1
    // for j = start .. end - 2; a column outside the table is left alone.
    void initImageY(int x, int start, int end, const ObjectModel* field, int count);
    // initImageY with start and end truncated; the last two arguments are unused.
    void produce(double start, double end, int x, const ObjectModel* field, int count, int, int);

    // One prepared field per layer: a 2.3 scaler over a lattice interpolator
    // over a new table of that layer. Each entry owns what it wraps.
    static std::vector<std::unique_ptr<ObjectModel>> getModels(const ViewerModel& viewer,
                                                               const ObjectModel* const* layers,
                                                               int count, int columns, int rows);
    // Moves a point to the picture row at which it is seen.
    static void changeY(const ViewerModel& viewer, Point3DModel& point);
    // A copy of faces with every corner moved by changeY; the copy owns its
    // triangles and new corners. Null gives an empty list.
    static std::unique_ptr<FacesModel> getFaces(const ViewerModel& viewer, const FacesModel* faces);

private:
    double getImgYAt(double y, double z) const;
};

#include "engine/reference/y_changed_object_model.h"

#include <utility>

#include "engine/discrete_object_model.h"
#include "engine/reference/size_object_model.h"
#include "engine/triangle_model.h"
#include "engine/truncate.h"
#include "engine/viewer_model.h"

YChangedObjectModel::YChangedObjectModel(const ViewerModel& viewer, const ObjectModel* field,
                                         int, int c, int r)
    : img_h(viewer.getImg_h()), eye_h(viewer.getEye_h()),
      columns(c < 0 ? 0 : c), rows(r < 0 ? 0 : r)
{
    table.assign(size_t(columns) * size_t(rows), 0.0);
    const int halfC = columns >> 1;
    const int halfR = rows >> 1;
    // With an odd number of columns the last one stays 0.
    for (int x = -halfC; x < halfC; ++x)
        initImageY(x, -halfR, halfR, field, 1);
}

double YChangedObjectModel::height(double x, double y) const
{
    int ix, iy;
    if (!cellIndex(x, columns >> 1, columns, ix) || !cellIndex(y, rows >> 1, rows, iy))
        return 0;
    return table[size_t(ix) * size_t(rows) + size_t(iy)];
}

double YChangedObjectModel::getImgYAt(double y, double z) const
{
    return y - y * (img_h - z) / (eye_h - z);
}

double YChangedObjectModel::getImgY(double x, double y, const ObjectModel* field) const
{
    return getImgYAt(y, field->height(x, y));
}

double YChangedObjectModel::getObjectRealDeep(double y1, double z1, double y2, double z2,
                                              double py) const
{
    const double D = eye_h - img_h;
    const double den = (y2 - y1) * D - py * (z1 - z2);
    if (den > 0.001 || den < -0.001) {
        const double z = (D * (y2 * z1 - y1 * z2) - (z1 - z2) * eye_h * py) / den;
        return clampBetween(z, z1, z2);
    }
    return z1 > z2 ? z1 : z2;
}

void YChangedObjectModel::initImageY(int x, int start, int end, const ObjectModel* field, int)
{
    const int halfC = columns >> 1;
    const int halfR = rows >> 1;
    const long long column = (long long)x + halfC;
    if (!field || column < 0 || column >= columns)
        return;
    double* cells = &table[size_t(column) * size_t(rows)];
    // 64-bit so that end - 1 cannot overflow.
    for (long long j = start; j < (long long)end - 1; ++j) {
        // Heights are sampled once per point; the field is a pure function, so
        // this equals sampling again inside the row projection.
        double zA = field->height(x, double(j));
        double yA = getImgYAt(double(j), zA);
        double zB = field->height(x, double(j + 1));
        double yB = getImgYAt(double(j + 1), zB);
        if (!(-halfR < yA && yA < halfR && -halfR < yB && yB < halfR))
            continue;
        // Only the heights follow the exchange; the segment stays (j, zA)-(j + 1, zB).
        if (yA > yB) {
            std::swap(yA, yB);
            std::swap(zA, zB);
        }
        // yA, yB inside (-halfR, halfR) keep r + halfR within 0 .. rows - 1.
        for (int r = int(yA) - 1; r < int(yB) + 1; ++r) {
            const double t = getObjectRealDeep(double(j), zA, double(j + 1), zB, r);
            double& cell = cells[r + halfR];
            if (t > cell)
                cell = t;
        }
    }
}

void YChangedObjectModel::produce(double start, double end, int x, const ObjectModel* field,
                                  int count, int, int)
{
    const int lo = -2147483647 - 1, hi = 2147483647;
    initImageY(x, truncClamp(start, lo, hi), truncClamp(end, lo, hi), field, count);
}

std::vector<std::unique_ptr<ObjectModel>> YChangedObjectModel::getModels(
    const ViewerModel& viewer, const ObjectModel* const* layers, int count, int columns, int rows)
{
    std::vector<std::unique_ptr<ObjectModel>> prepared;
    for (int i = 0; layers && i < count; ++i) {
        auto table = std::make_unique<YChangedObjectModel>(viewer, layers[i], 1, columns, rows);
        auto lattice = std::make_unique<DiscreteObjectModel>(std::move(table));
        prepared.push_back(std::make_unique<SizeObjectModel>(std::move(lattice), 2.3, 2.3));
    }
    return prepared;
}

void YChangedObjectModel::changeY(const ViewerModel& viewer, Point3DModel& p)
{
    p.y = p.y - p.y * (viewer.getImg_h() - p.z) / (viewer.getEye_h() - p.z);
}

std::unique_ptr<FacesModel> YChangedObjectModel::getFaces(const ViewerModel& viewer,
                                                          const FacesModel* faces)
{
    auto copy = std::make_unique<FacesModel>();
    if (!faces)
        return copy;
    for (const auto& triangle : faces->triangles) {
        Point3DModel* corners[3] = {copy->addPoint(*triangle->p0), copy->addPoint(*triangle->p1),
                                    copy->addPoint(*triangle->p2)};
        for (Point3DModel* corner : corners)
            changeY(viewer, *corner);
        copy->add(new TriangleModel(corners[0], corners[1], corners[2]));
    }
    return copy;
}

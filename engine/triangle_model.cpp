#include "engine/triangle_model.h"

#include <utility>

#include "engine/truncate.h"

TriangleModel::TriangleModel(Point3DModel* a, Point3DModel* b, Point3DModel* c)
    : p0(a), p1(b), p2(c)
{
    init();
}

void TriangleModel::init()
{
    // Three compare-exchanges; callers and stored results rely on exactly this
    // network, including how it orders corners of equal y.
    low = p0;
    mid = p1;
    high = p2;
    if (low->y > mid->y)
        std::swap(low, mid);
    if (low->y > high->y)
        std::swap(low, high);
    if (mid->y > high->y)
        std::swap(mid, high);
}

double TriangleModel::myabs(double v)
{
    return v < 0 ? -v : v;
}

double TriangleModel::getMiddle(double y1, double y2, double a1, double a2, double y)
{
    if (myabs(y1 - y2) > 0.00001)
        return ((y1 - y) * a2 + (y - y2) * a1) / (y1 - y2);
    return (a1 + a2) / 2;
}

bool TriangleModel::setLine(double y, double& xA, double& xB, double& zA, double& zB) const
{
    const Point3DModel* a0;  // edge of crossing A, from a0 to a1
    const Point3DModel* a1;
    const Point3DModel* b0;  // edge of crossing B
    const Point3DModel* b1;
    if (low->y < y && y <= mid->y) {
        a0 = low, a1 = mid;
        b0 = low, b1 = high;
    } else if (mid->y <= y && y < high->y) {
        a0 = low, a1 = high;
        b0 = mid, b1 = high;
    } else {
        return false;
    }
    xA = getMiddle(a0->y, a1->y, a0->x, a1->x, y);
    zA = getMiddle(a0->y, a1->y, a0->z, a1->z, y);
    xB = getMiddle(b0->y, b1->y, b0->x, b1->x, y);
    zB = getMiddle(b0->y, b1->y, b0->z, b1->z, y);
    return true;
}

double TriangleModel::getHeight(int x, int y, const Point3DModel*, const Point3DModel*,
                                const Point3DModel*) const
{
    const double d1x = p0->x - p1->x, d1y = p0->y - p1->y, d1z = p0->z - p1->z;
    const double d2x = p0->x - p2->x, d2y = p0->y - p2->y, d2z = p0->z - p2->z;
    const double a = (d1z * d2y - d2z * d1y) / (d1x * d2y - d2x * d1y);
    const double b = (d1z * d2x - d2z * d1x) / (d1y * d2x - d2y * d1x);
    return a * x + b * y + (p0->z - a * p0->x - b * p0->y);
}

namespace {

// One grid row's span: the two edge crossings at row j, truncated, ordered and
// kept within 0..columns.
void spanAt(const Point3DModel& e0, const Point3DModel& e1, const Point3DModel& f0,
            const Point3DModel& f1, int j, int columns, int& left, int& right)
{
    left = truncClamp(TriangleModel::getMiddle(e0.y, e1.y, e0.x, e1.x, j), 0, columns);
    right = truncClamp(TriangleModel::getMiddle(f0.y, f1.y, f0.x, f1.x, j), 0, columns);
    if (left > right)
        std::swap(left, right);
}

int rowLimit(double y, int rows)
{
    const int r = truncClamp(y, 1, rows > 1 ? rows : 1);
    return r < rows ? r : rows;
}

}  // namespace

bool TriangleModel::toArray(std::vector<double>& grid, int columns, int rows) const
{
    if (columns < 0 || rows < 0 || grid.size() < size_t(columns) * size_t(rows))
        return false;
    const Point3DModel* c[3] = {p0, p1, p2};
    // Stable order by y.
    if (c[1]->y < c[0]->y)
        std::swap(c[0], c[1]);
    if (c[2]->y < c[1]->y) {
        std::swap(c[1], c[2]);
        if (c[1]->y < c[0]->y)
            std::swap(c[0], c[1]);
    }
    const Point3DModel& V = *c[0];
    const Point3DModel& U = *c[1];
    const Point3DModel& T = *c[2];
    const int v = rowLimit(V.y, rows), u = rowLimit(U.y, rows), t = rowLimit(T.y, rows);

    auto span = [&](int j, int& left, int& right) {
        if (j < u)
            spanAt(V, U, V, T, j, columns, left, right);
        else
            spanAt(V, T, U, T, j, columns, left, right);
    };
    // Rows v..t-1 always lie in 1..rows-1, spans within 0..columns.
    for (int j = v; j < t; ++j) {
        int left, right;
        span(j, left, right);
        const double* row = &grid[size_t(j) * size_t(columns)];
        for (int k = left + 1; k < right; ++k) {
            if (row[k] > 0.5 && myabs(row[k] - getHeight(k, j)) > 10)
                return false;
        }
    }
    for (int j = v; j < t; ++j) {
        int left, right;
        span(j, left, right);
        const int from = left - 1 < 0 ? 0 : left - 1;
        const int to = right + 1 > columns ? columns : right + 1;
        double* row = &grid[size_t(j) * size_t(columns)];
        for (int k = from; k < to; ++k)
            row[k] = getHeight(k, j);
    }
    return true;
}

void FacesModel::add(TriangleModel* triangle)
{
    if (triangle)
        triangles.emplace_back(triangle);
}

void FacesModel::add(TriangleModel* const* list, int count)
{
    for (int i = 0; i < count; ++i)
        add(list[i]);
}

void FacesModel::add(const std::vector<TriangleModel*>& sequence)
{
    for (TriangleModel* triangle : sequence)
        add(triangle);
}

Point3DModel* FacesModel::addPoint(const Point3DModel& corner)
{
    points.push_back(std::make_unique<Point3DModel>(corner));
    return points.back().get();
}

void FacesModel::clear()
{
    triangles.clear();
    points.clear();
}

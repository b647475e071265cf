#include "engine/viewer_model.h"

#include "engine/object_model.h"
#include "engine/truncate.h"
#include "image/image.h"

std::vector<int> Default_getIntArray(int columns, int rows)
{
    if (columns < 0 || rows < 0)
        return {};
    return std::vector<int>(size_t(columns) * size_t(rows), 0);
}

double Math_abs(double v)
{
    return v < 0 ? -v : v;
}

double Math_max(double a, double b)
{
    return a > b ? a : b;
}

void ViewerModel::init(int w, int h, const ovek::Image* pattern)
{
    width = w < 0 ? 0 : w;
    height = h < 0 ? 0 : h;
    planeR = Default_getIntArray(width, height);
    planeG = Default_getIntArray(width, height);
    planeB = Default_getIntArray(width, height);
    // An empty pattern has nothing to tile (and would divide by zero).
    if (!pattern || pattern->getWidth() <= 0 || pattern->getHeight() <= 0)
        return;
    const int pw = pattern->getWidth();
    const int ph = pattern->getHeight();
    const int half = width / 2;
    for (int x = 0; x < width; ++x) {
        const int u = int(((long long)half + x) % pw);
        for (int y = 0; y < height; ++y) {
            const int p = pattern->getColor(u, y % ph);
            const size_t i = cell(x, y);
            planeR[i] = p & 255;
            planeG[i] = (p >> 8) & 255;
            planeB[i] = (p >> 16) & 255;
        }
    }
}

void ViewerModel::produce(int, int, int, ObjectModel*, int)
{
}

double ViewerModel::getImageX(double eyeX, double x, int row, const ObjectModel* field) const
{
    return getImageX(eyeX, x, row, field->height(x, row));
}

double ViewerModel::getImageX(double eyeX, double x, int, double z) const
{
    return x + (eyeX - x) * (img_h - z) / (eye_h - z);
}

double ViewerModel::getImageRight(double x, int row, const ObjectModel* field) const
{
    return getImageX(eye_dis, x, row, field);
}

double ViewerModel::getImageRight(double x, int row, double z) const
{
    return getImageX(eye_dis, x, row, z);
}

double ViewerModel::getImageLeft(double x, int row, const ObjectModel* field) const
{
    return getImageX(-eye_dis, x, row, field);
}

double ViewerModel::getImageLeft(double x, int row, double z) const
{
    return getImageX(-eye_dis, x, row, z);
}

double ViewerModel::getObjectRealH(double x1, double z1, double x2, double z2, double px) const
{
    return getObjectRealH(x1, z1, x2, z2, px, eye_dis);
}

double ViewerModel::getObjectRealH(double x1, double z1, double x2, double z2, double px,
                                   double eyeX) const
{
    const double D = eye_h - img_h;
    const double den = (x2 - x1) * D - (px - eyeX) * (z1 - z2);
    if (Math_abs(den) > 0.01) {
        const double z = (D * (x2 * z1 - x1 * z2) - (z1 - z2) * (eye_h * px - img_h * eyeX)) / den;
        if (z > z1 && z > z2)
            return Math_max(z1, z2);
        return z;
    }
    return z1 < z2 ? z1 : z2;
}

double ViewerModel::getObjectRealX(double x1, double z1, double x2, double z2, double px,
                                   double eyeX) const
{
    const double D = eye_h - img_h;
    const double den = (x2 - x1) * D - (px - eyeX) * (z1 - z2);
    if (Math_abs(den) > 0.01) {
        const double x =
            ((x2 * z1 - x1 * z2) * (px - eyeX) - (eye_h * px - img_h * eyeX) * (x2 - x1)) /
            ((z1 - z2) * (px - eyeX) - D * (x2 - x1));
        return clampBetween(x, x1, x2);
    }
    return z1 > z2 ? x1 : x2;
}

void ViewerModel::setColor(double sourceX, int column, int row)
{
    setColor(sourceX, column, row, planeR);
    setColor(sourceX, column, row, planeG);
    setColor(sourceX, column, row, planeB);
}

void ViewerModel::setColor(double sourceX, int column, int row, std::vector<int>& plane)
{
    const long long c = (long long)column + (width >> 1);
    const long long r = (long long)row + (height >> 1);
    const double s = sourceX + (width >> 1);
    if (!(1 <= s && s < width - 1) || c < 0 || c >= width - 1 || r < 0 || r >= height - 1)
        return;
    if (plane.size() < size_t(width) * size_t(height))  // init was not called
        return;
    const int k = int(s);
    const double value = (k + 1 - s) * plane[cell(k, int(r))] + (s - k) * plane[cell(k + 1, int(r))];
    plane[cell(int(c), int(r))] = truncClamp(value, 0, 255);
}

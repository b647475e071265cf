#include "engine/reference/diff_viewer_model.h"

#include <algorithm>
#include <utility>

#include "engine/object_model.h"

void DiffViewerModel::produce(int start, int end, int row, ObjectModel* const* layers, int count)
{
    initImageX(row, start, end, layers, count);
}

void DiffViewerModel::initImageX(int row, int start, int end, ObjectModel* const* layers,
                                 int count)
{
    if (size != width) {
        size = width;
        depth.assign(size_t(width), -1);
        source.assign(size_t(width), 0);
    }
    std::fill(depth.begin(), depth.end(), -1);
    const int half = width >> 1;
    const ObjectModel* field = (layers && count >= 1) ? layers[0] : nullptr;
    // 64-bit so that end - 1 cannot overflow.
    for (long long k = start; field && k < (long long)end - 1; ++k) {
        double zA = field->height(double(k), row);
        double pA = getImageRight(double(k), row, zA);
        double zB = field->height(double(k + 1), row);
        double pB = getImageRight(double(k + 1), row, zB);
        // Only the heights follow the exchange; the segment stays (k, zA)-(k + 1, zB).
        if (pA > pB) {
            std::swap(pA, pB);
            std::swap(zA, zB);
        }
        // Segments reaching outside are dropped, not clipped. Inside, every
        // column m lies in -half + 1 .. half - 1.
        if (!(-half < pA && pA < half && -half < pB && pB < half))
            continue;
        for (int m = int(pA); m <= pB; ++m) {
            const double t = getObjectRealH(double(k), zA, double(k + 1), zB, m);
            const size_t i = size_t(m + half);
            if (t > depth[i]) {
                depth[i] = t;
                source[i] = getObjectRealX(double(k), zA, double(k + 1), zB, m, eye_dis);
            }
        }
    }
    for (int m = -half; m < half; ++m) {
        const size_t i = size_t(m + half);
        if (depth[i] >= 0)
            setColor(getImageLeft(source[i], row, depth[i]), m, row);
    }
}

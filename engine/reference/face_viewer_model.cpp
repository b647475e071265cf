#include "engine/reference/face_viewer_model.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/triangle_model.h"

void FaceViewerModel::produce(int start, int end, int row, const FacesModel* faces)
{
    initImageX(row, start, end, faces);
}

void FaceViewerModel::rightEyePass(int row, const FacesModel& faces)
{
    const int half = width >> 1;
    for (const auto& triangle : faces.triangles) {
        double xA, xB, zA, zB;
        if (!triangle->setLine(row, xA, xB, zA, zB))
            continue;
        double pA = getImageRight(xA, row, zA);
        double pB = getImageRight(xB, row, zB);
        if (pA > pB) {
            std::swap(pA, pB);
            std::swap(zA, zB);
            std::swap(xA, xB);
        }
        if (!(zA > 0 && zB > 0))
            continue;
        const double lo = Math_max(pA, -half);
        const double hi = pB < half - 1 ? pB : half - 1;
        // lo >= -half, so trunc(lo) >= -half; testing it against hi before the
        // conversion keeps far-off projections out of int range.
        const double first = std::trunc(lo);
        if (!(first < hi))
            continue;
        for (int k = int(first); k < hi; ++k) {
            const double t = getObjectRealH(xA, zA, xB, zB, k, eye_dis);
            const size_t i = size_t(k + half);
            if (t > depthRight[i] && t < eye_h / 2) {
                depthRight[i] = t;
                sourceRight[i] = getObjectRealX(xA, zA, xB, zB, k, eye_dis);
            }
        }
    }
}

void FaceViewerModel::leftEyePass(int row, const FacesModel& faces)
{
    // The left eye is passed explicitly instead of negating eye_dis, so the
    // model is never left in a changed state.
    const double eyeX = -eye_dis;
    const int half = width >> 1;
    for (auto it = faces.triangles.rbegin(); it != faces.triangles.rend(); ++it) {
        double xA, xB, zA, zB;
        if (!(*it)->setLine(row, xA, xB, zA, zB))
            continue;
        double pA = getImageX(eyeX, xA, row, zA);
        double pB = getImageX(eyeX, xB, row, zB);
        if (pB > pA) {
            std::swap(pA, pB);
            std::swap(zA, zB);
            std::swap(xA, xB);
        }
        if (!(zA > 0 && zB > 0))
            continue;
        const double lo = Math_max(pB, 1 - half);
        const double hi = pA < half - 1 ? pA : half - 1;
        // hi <= half - 1, so trunc(hi) <= half - 1; see the right-eye pass.
        const double first = std::trunc(hi);
        if (!(first >= lo))
            continue;
        for (int k = int(first); k >= lo; --k) {
            const double t = getObjectRealH(xA, zA, xB, zB, k, eyeX);
            const size_t i = size_t(k + half);
            if (t > depthLeft[i] && t < eye_h / 2) {
                depthLeft[i] = t;
                sourceLeft[i] = getObjectRealX(xA, zA, xB, zB, k, eyeX);
            }
        }
    }
}

void FaceViewerModel::initImageX(int row, int, int, const FacesModel* faces)
{
    if (sizeLeft != width || sizeRight != width) {
        depthRight.assign(size_t(width), -1);
        sourceRight.assign(size_t(width), 0);
        depthLeft.assign(size_t(width), -1);
        sourceLeft.assign(size_t(width), 0);
        sizeLeft = sizeRight = width;
    }
    std::fill(depthRight.begin(), depthRight.end(), -1);
    std::fill(depthLeft.begin(), depthLeft.end(), -1);
    if (width <= 0)
        return;
    if (faces) {
        rightEyePass(row, *faces);
        leftEyePass(row, *faces);
    }
    const int half = width >> 1;
    // Right half: each source lies left of its column and is final already.
    for (int k = 0; k < half; ++k) {
        const size_t i = size_t(k + half);
        if (depthRight[i] > 1)
            setColor(getImageLeft(sourceRight[i], row, depthRight[i]), k, row);
    }
    // Left half, from the middle outwards: sources lie right of their columns.
    for (int k = 0; k >= -half; --k) {
        const size_t i = size_t(k + half);
        if (depthLeft[i] > 1)
            setColor(getImageRight(sourceLeft[i], row, depthLeft[i]), k, row);
    }
}

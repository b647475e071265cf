#pragma once
// The rows of the mesh mode, pixel for pixel those of FaceViewerModel over
// YChangedObjectModel::getFaces of the production's triangle list, with each
// row visiting only the triangles that can cross it: triangles are sorted by
// the first row they can cross, and every worker sweeps down its rows keeping
// the list of triangles whose row range covers the current row, in list order
// (which the tie rules depend on). The scan-line test still decides.
//
// Options beyond the design (RowOptions): oversampling, where each row is
// computed N times as wide, corners and eyes N times as far apart along x (a
// sideways stretch that keeps every line of sight), then averaged back to one
// pixel per N columns; crossed eyes, where colours are copied over the repeat
// of the mirrored height. Heights are the caller's (the triangle list's).
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/row_arithmetic.h"
#include "engine/row_generator.h"
#include "engine/row_options.h"

class FacesModel;

class FastFaceRows : public RowGenerator {
public:
    // faces: the production's list before the vertical correction, which is
    // applied here to copies of the corners. The viewer works with width x
    // viewerHeight; rows 0 .. rows - 1 of that are computed (fewer than
    // viewerHeight - 1 when the picture is shorter than the viewer).
    FastFaceRows(const ViewerModel& viewer, const FacesModel& faces, int width, int viewerHeight,
                 int rows, int workers, const ovek::RowOptions& options = {});
    ~FastFaceRows() override;

    int rows() const override { return rows_; }
    bool nextRows(int most, WorkerPool& pool, int& first, int& count) override;
    void computeRow(int row, uint8_t* bytes, int worker) const override;

private:
    struct Corner {
        double x, y, z;
    };
    struct Triangle {
        Corner low, mid, high;  // sorted by y as TriangleModel::init sorts
    };
    struct Scratch;

    bool crosses(const Triangle& t, double y, double& xA, double& xB, double& zA,
                 double& zB) const;
    void advance(Scratch& s, int row) const;
    void rightEyePass(Scratch& s, double row) const;
    void leftEyePass(Scratch& s, double row) const;

    RowArithmetic eyes_;  // eye_dis times the oversampling
    int outWidth_;        // output pixels per row
    int oversample_;      // columns computed per output pixel
    bool crossed_;
    double mirror_, low_, high_;  // crossed: the heights mirrored into each other
    int width_, half_;    // the columns computed per row, and half of them
    int centre_;  // viewerHeight / 2: output row i is row i - centre_
    int rows_;
    int handedOut_ = 0;  // rows handed out so far, in order
    std::vector<Triangle> triangles_;  // in list order
    std::vector<int> firstRow_;        // per triangle: the rows it can cross (centred) ...
    std::vector<int> lastRow_;         // ... within the rows computed
    std::vector<uint32_t> byFirstRow_;  // the triangles crossing any row, by first row, then list order
    std::vector<std::unique_ptr<Scratch>> scratch_;
};

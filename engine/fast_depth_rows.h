#pragma once
// The rows of the depth-picture mode, pixel for pixel those of DiffViewerModel
// over the field YChangedObjectModel::getModels prepares from an
// ImageObjectModel of the picture, without the literal tables: heights stay
// bytes; the re-projected table is held only for the rows still needed
// (DepthTable); the second (background) layer, which the row step never
// samples, is not built at all; and a segment that cannot win is turned away
// before any division. The rows come in two runs outwards from the middle
// row, the upper half upwards and the lower half downwards, following the
// table's sweeps.
//
// Options beyond the design (RowOptions): heights scaled or inverted in the
// table; oversampling, where each row is computed N times as wide with the
// eyes N times as far apart and the picture sampled N times as finely along
// x (a sideways stretch, which keeps every line of sight and so every height
// seen), then averaged back to one pixel per N columns; crossed eyes, where
// colours are copied over the repeat of the mirrored height.
#include <memory>
#include <vector>

#include "engine/depth_table.h"
#include "engine/row_arithmetic.h"
#include "engine/row_generator.h"
#include "engine/row_options.h"

namespace ovek {
struct GreyPicture;
}

class FastDepthRows : public RowGenerator {
public:
    // A width x height result (at least 1 x 1) sampling x = -span .. span - 1
    // of a depth picture (null: flat), seen by viewer; workers: the size of
    // the pool that will compute the rows. The picture must outlive this.
    FastDepthRows(const ViewerModel& viewer, const ovek::GreyPicture* depth, int width,
                  int height, int span, int workers, const ovek::RowOptions& options = {});
    ~FastDepthRows() override;

    int rows() const override { return rowsComputed_; }
    bool nextRows(int most, WorkerPool& pool, int& first, int& count) override;
    void computeRow(int row, uint8_t* bytes, int worker) const override;

private:
    struct Scratch;

    // The first table row (centred) that output row i samples; it also samples the next.
    int tableRowOf(int i) const;
    bool rowReady(int i) const;
    void finishRow(int i, WorkerPool& pool);

    RowArithmetic eyes_;         // eye_dis times the oversampling
    int width_, height_;         // result and table size
    int halfW_, halfH_;          // width >> 1, height >> 1
    int oversample_;             // columns computed per output pixel
    int fineWidth_, fineHalf_;   // the columns computed per row, and half of them
    double scaleX_;              // fine columns per table column: 2.3 x oversample_
    bool crossed_;
    double mirror_;              // crossed: low + high of the mirrored heights
    double low_, high_;
    int span_;                   // in fine columns
    int rowsComputed_;           // every row but the last, which keeps its seed

    // Per sample k = -span .. span - 1: the lattice cell and weight along x.
    std::vector<int> cell0_, cell1_;  // table columns, or width_ (a zero cell) outside
    std::vector<double> fx_;

    std::unique_ptr<DepthTable> table_;
    // Rows 0 .. split - 1 sample only table rows above the middle ones, which
    // the downward sweep never writes: they go upwards from split - 1; the
    // others downwards from split.
    int split_ = 0;
    int upNext_ = 0;    // rows 0 .. upNext_ - 1 are still to come
    int downNext_ = 0;  // rows downNext_ .. rowsComputed_ - 1 are still to come
    std::vector<std::unique_ptr<Scratch>> scratch_;
};

#pragma once
// The re-projected height table of the depth-picture mode (what
// YChangedObjectModel builds from an ImageObjectModel), for a grey picture,
// cell for cell, held only for the rows still needed. Every cell keeps the
// greatest height any segment between two neighbouring picture rows of its
// column is seen at there, so the segments may come in any order: two sweeps
// go outwards from the middle row, one up and one down, nearest segments
// first, and a row of a column that no farther segment can reach any more is
// settled and skipped from then on. Table columns are independent: the workers
// of a sweep take strips of them.
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/row_arithmetic.h"
#include "engine/row_options.h"

class WorkerPool;
namespace ovek {
struct GreyPicture;
}

class DepthTable {
public:
    // A width x height table of a depth picture (null: flat, all zeros) seen
    // with eyes; only rows needLo .. needHi and columns [columnLo, columnHi)
    // (both centred on the table's middle as the lookup does: row r is
    // r + (height >> 1)) are ever read. The picture must outlive this. Its
    // samples become heights as options say (scaled, inverted; 16-bit samples
    // v / 257, so that v = 257 w stands where the 8-bit sample w does).
    DepthTable(const RowArithmetic& eyes, const ovek::GreyPicture* depth, int width, int height,
               int needLo, int needHi, int columnLo, int columnHi, int workers,
               const ovek::RowOptions& options = {});
    ~DepthTable();
    DepthTable(const DepthTable&) = delete;
    DepthTable& operator=(const DepthTable&) = delete;

    // Sweeps until row r holds its final heights.
    void finish(int r, WorkerPool& pool);
    // Whether row r holds its final heights (rows outside the rows read are 0).
    bool final(int r) const;
    // Row r, width + 1 cells (the last one 0, for lookups outside), or zeros
    // where nothing is held. Read only between sweeps.
    const double* row(int r) const;
    // Frees rows lo .. hi; they must be final and not be read again.
    void release(int lo, int hi);

private:
    struct Row;
    struct Scratch;
    struct Sweep {
        int outwards;  // -1: up, from j = -1 to -(height >> 1); +1: down, from j = 0
        int next;      // the next segment (j, j + 1)
        int end;       // one past the last, in the sweep's direction
    };

    void findRowBounds(WorkerPool& pool);
    bool done(const Sweep& sweep) const { return sweep.next == sweep.end; }
    void advance(Sweep& sweep, WorkerPool& pool);
    void sweepStrip(const Sweep& sweep, int jFirst, int jEnd, int columnFrom, int columnTo,
                    Scratch& s);
    Row* held(int r) const;
    int level(int x, int y) const;

    RowArithmetic eyes_;
    const ovek::GreyPicture* depth_;
    int width_, height_, halfW_, halfH_;
    int needLo_, needHi_, columnLo_, columnHi_;
    bool flatExact_;  // a flat segment's intersection is its height, exactly
    bool wide_;       // 16-bit samples: too many levels for a table of where each is seen
    std::vector<double> heightOf_;  // per sample value: its height

    // Per segment j (index j + halfH): the rows it can write, [lowest, highest).
    std::vector<int> lowest_, highest_;
    std::vector<int> lowestFrom_;  // per j >= 0: the least lowest of segments j onwards
    std::vector<int> highestTo_;   // per j < 0: the greatest highest of segments -halfH .. j
    bool boundsKnown_ = false;
    Sweep up_, down_;

    std::vector<std::unique_ptr<Row>> rows_;  // rows needLo .. needHi, null when not held
    std::vector<double*> cells_;              // ... their cells, for the sweeps' inner loops
    // Per column, a bit per row needLo .. needHi: set once the cell is settled.
    // Never cleared: a row is held only once, since released rows are final.
    std::vector<uint64_t> settled_;
    size_t settledWords_ = 0;  // per column
    std::vector<std::unique_ptr<Row>> spare_;
    std::vector<double> zeros_;
    std::vector<std::unique_ptr<Scratch>> scratch_;
};

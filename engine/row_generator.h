#pragma once
// What the production asks of a fast row generator: rows are independent once
// prepared, so they can be computed by several workers at once and in any
// order, each worker with its own scratch.
#include <cstdint>

class WorkerPool;

class RowGenerator {
public:
    virtual ~RowGenerator() = default;

    // Rows 0 .. rows() - 1 are computed; the rows after them keep their seed.
    virtual int rows() const = 0;
    // The next run of rows to compute, first .. first + count - 1 with count
    // at most `most`, made ready (on the calling thread, with pool's help);
    // false once every row was handed out. Runs come in the generator's order,
    // and rows of earlier runs are not asked for again.
    virtual bool nextRows(int most, WorkerPool& pool, int& first, int& count) = 0;
    // Turns the seeded row (the output file's bytes: blue, green, red per
    // pixel) into the stereogram row. Safe to call from several workers at
    // once for different rows.
    virtual void computeRow(int row, uint8_t* bytes, int worker) const = 0;
};

#pragma once
// Making a stereogram a block of rows at a time: every row starts as the
// pattern tiled from the middle column, the generator turns the rows it
// computes into stereogram rows (the workers of a pool share each block), the
// signature mark is stamped, and the block goes to the sink. Only a block of
// rows is ever held.
#include <atomic>
#include <functional>

#include "production/guide_dots.h"

class RowGenerator;
class WorkerPool;
namespace ovek {
class Image;
class RowSink;
}

namespace ovek {

// What is drawn over the finished rows.
struct RowMarks {
    bool signature = true;  // the signature mark
    GuideDots guides;       // none by default
};

}  // namespace ovek

// Delivers all height rows of a width-pixel picture to sink: the generator's
// runs in its order, then the rows after those it computes, telling delivered
// (when set) how many rows each delivery held. pattern may be null (black).
// False when the sink refused rows, or when cancel (if given) was set: the
// workers skip their remaining rows at once and the unfinished block is
// dropped.
bool produceRows(RowGenerator& generator, WorkerPool& pool, const ovek::Image* pattern, int width,
                 int height, ovek::RowSink& sink,
                 const std::function<void(int rows)>& delivered = nullptr,
                 const ovek::RowMarks& marks = ovek::RowMarks(),
                 const std::atomic<bool>* cancel = nullptr);

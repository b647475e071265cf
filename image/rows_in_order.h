#pragma once
// A RowSink for encoders that need the rows top row first, when the producer
// finishes them in another order (a depth picture is computed from its middle
// outwards). Rows that come early wait in a temporary file, so that what
// waits costs no memory however tall the picture.
#include <cstdio>
#include <map>
#include <vector>

#include "image/row_encoder.h"
#include "image/row_sink.h"

namespace ovek {

class RowsInOrder : public RowSink {
public:
    RowsInOrder(int width, int height, RowEncoder& encoder);
    ~RowsInOrder() override;
    RowsInOrder(const RowsInOrder&) = delete;
    RowsInOrder& operator=(const RowsInOrder&) = delete;

    // Refuses rows outside the picture, rows given twice, and rows the
    // encoder or the waiting file refused.
    bool putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step) override;
    // Whether every row reached the encoder.
    bool complete() const { return next_ == height_; }

private:
    bool encode(const uint8_t* first, int count, std::ptrdiff_t step);
    bool hold(int y, int count, const uint8_t* first, std::ptrdiff_t step);
    bool releaseWaiting();

    int width_;
    int height_;
    size_t rowBytes_;
    RowEncoder& encoder_;
    int next_ = 0;                // the row the encoder takes next
    std::map<int, int> waiting_;  // runs that came early: first row, row count
    std::FILE* file_ = nullptr;   // their rows, each at its own place; made when needed
    std::vector<uint8_t> row_;
};

}  // namespace ovek

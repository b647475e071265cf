#pragma once
// A RowSink for encoders that need the rows top row first, when the producer
// finishes them in another order (a depth picture is computed from its middle
// outwards). Rows that come early wait deflated, so that what waits costs a
// fraction of the picture.
#include <map>
#include <vector>

#include "image/row_encoder.h"
#include "image/row_sink.h"

namespace ovek {

class RowsInOrder : public RowSink {
public:
    RowsInOrder(int width, int height, RowEncoder& encoder);

    // Refuses rows outside the picture, rows given twice, and rows the
    // encoder or the deflating refused.
    bool putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step) override;
    // Whether every row reached the encoder.
    bool complete() const { return next_ == height_; }
    // Bytes held for rows that came early, at most, for measuring.
    size_t mostHeld() const { return mostHeld_; }

private:
    struct Waiting {
        int count;
        std::vector<uint8_t> deflated;
    };

    bool encode(const uint8_t* first, int count, std::ptrdiff_t step);
    bool hold(int y, int count, const uint8_t* first, std::ptrdiff_t step);
    bool releaseWaiting();

    int width_;
    int height_;
    RowEncoder& encoder_;
    int next_ = 0;                    // the row the encoder takes next
    std::map<int, Waiting> waiting_;  // by first row
    size_t held_ = 0;
    size_t mostHeld_ = 0;
    std::vector<uint8_t> scratch_;
};

}  // namespace ovek

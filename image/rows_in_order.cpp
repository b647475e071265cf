#include "image/rows_in_order.h"

#include <zlib.h>

#include <algorithm>
#include <iterator>
#include <new>

namespace ovek {

namespace {

// Fast deflating: stereogram rows repeat within a few hundred bytes.
constexpr int kWaitingLevel = 1;

}  // namespace

RowsInOrder::RowsInOrder(int width, int height, RowEncoder& encoder)
    : width_(width), height_(height), encoder_(encoder)
{
}

bool RowsInOrder::encode(const uint8_t* first, int count, std::ptrdiff_t step)
{
    for (int k = 0; k < count; ++k, first += step)
        if (!encoder_.putRow(first))
            return false;
    next_ += count;
    return true;
}

bool RowsInOrder::hold(int y, int count, const uint8_t* first, std::ptrdiff_t step)
{
    // Rows given twice would overlap a run already waiting.
    const auto after = waiting_.lower_bound(y);
    if (after != waiting_.end() && after->first < y + count)
        return false;
    if (after != waiting_.begin() && std::prev(after)->first + std::prev(after)->second.count > y)
        return false;
    const size_t rowBytes = 3 * size_t(width_), bytes = rowBytes * size_t(count);
    Waiting w{count, {}};
    try {
        scratch_.resize(bytes);
        for (int k = 0; k < count; ++k)
            std::copy(first + std::ptrdiff_t(k) * step, first + std::ptrdiff_t(k) * step + rowBytes,
                      &scratch_[size_t(k) * rowBytes]);
        uLongf size = compressBound(uLong(bytes));
        w.deflated.resize(size);
        if (compress2(w.deflated.data(), &size, scratch_.data(), uLong(bytes), kWaitingLevel) != Z_OK)
            return false;
        w.deflated.resize(size);
        w.deflated.shrink_to_fit();
        held_ += size;
        mostHeld_ = std::max(mostHeld_, held_);
        waiting_.emplace_hint(after, y, std::move(w));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RowsInOrder::releaseWaiting()
{
    const size_t rowBytes = 3 * size_t(width_);
    while (!waiting_.empty() && waiting_.begin()->first <= next_) {
        auto it = waiting_.begin();
        if (it->first < next_)
            return false;  // overlaps rows already encoded
        uLongf size = uLongf(rowBytes * size_t(it->second.count));
        try {
            scratch_.resize(size);
        } catch (const std::bad_alloc&) {
            return false;
        }
        if (uncompress(scratch_.data(), &size, it->second.deflated.data(),
                       uLong(it->second.deflated.size())) != Z_OK ||
            size != rowBytes * size_t(it->second.count))
            return false;
        held_ -= it->second.deflated.size();
        const int count = it->second.count;
        waiting_.erase(it);
        if (!encode(scratch_.data(), count, std::ptrdiff_t(rowBytes)))
            return false;
    }
    return true;
}

bool RowsInOrder::putRows(int y, int count, const uint8_t* first, std::ptrdiff_t step)
{
    if (y < next_ || count < 0 || count > height_ - y)
        return false;
    if (count == 0)
        return true;
    if (y > next_)
        return hold(y, count, first, step);
    return encode(first, count, step) && releaseWaiting();
}

}  // namespace ovek

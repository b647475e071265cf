#include "image/rows_in_order.h"

#include <unistd.h>

#include <iterator>
#include <new>

namespace ovek {

RowsInOrder::RowsInOrder(int width, int height, RowEncoder& encoder)
    : width_(width), height_(height), rowBytes_(3 * size_t(width)), encoder_(encoder)
{
}

RowsInOrder::~RowsInOrder()
{
    if (file_)
        std::fclose(file_);
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
    if (after != waiting_.begin() && std::prev(after)->first + std::prev(after)->second > y)
        return false;
    // Unlinked from the start: nothing is left behind, whatever happens.
    if (!file_ && !(file_ = std::tmpfile()))
        return false;
    for (int k = 0; k < count; ++k, first += step) {
        const off_t at = off_t(y + k) * off_t(rowBytes_);
        if (pwrite(fileno(file_), first, rowBytes_, at) != ssize_t(rowBytes_))
            return false;
    }
    waiting_.emplace_hint(after, y, count);
    return true;
}

bool RowsInOrder::releaseWaiting()
{
    while (!waiting_.empty() && waiting_.begin()->first <= next_) {
        const auto [y, count] = *waiting_.begin();
        if (y < next_)
            return false;  // overlaps rows already encoded
        waiting_.erase(waiting_.begin());
        try {
            row_.resize(rowBytes_);
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int k = 0; k < count; ++k)
            if (pread(fileno(file_), row_.data(), rowBytes_, off_t(y + k) * off_t(rowBytes_)) !=
                    ssize_t(rowBytes_) ||
                !encode(row_.data(), 1, 0))
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

#include "production/production_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/row_generator.h"
#include "engine/worker_pool.h"
#include "image/image.h"
#include "image/row_sink.h"
#include "production/signature_mark.h"

namespace {

constexpr int kBlockRows = 64;  // rows made between two deliveries to the sink

// Row y of the seeded picture (ViewerModel::init) as the output file's bytes.
void seedRow(const ovek::Image* pattern, int width, int y, uint8_t* bytes)
{
    if (!pattern || pattern->getWidth() <= 0 || pattern->getHeight() <= 0) {
        std::memset(bytes, 0, 3 * size_t(width));
        return;
    }
    // The planes take the pattern's bytes in memory order, and so does the file.
    const int pw = pattern->getWidth(), ph = pattern->getHeight();
    const uint8_t* source =
        &pattern->pixels[size_t(ph - 1 - y % ph) * size_t(pattern->stride)];
    int u = int(((long long)(width / 2)) % pw);
    for (int x = 0; x < width;) {
        const int run = std::min(pw - u, width - x);
        std::memcpy(bytes + 3 * size_t(x), source + 3 * size_t(u), 3 * size_t(run));
        x += run;
        u = 0;
    }
}

}  // namespace

bool produceRows(RowGenerator& generator, WorkerPool& pool, const ovek::Image* pattern, int width,
                 int height, ovek::RowSink& sink, const std::function<void(int rows)>& delivered,
                 const ovek::RowMarks& marks, const std::atomic<bool>* cancel)
{
    auto stopped = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
    const size_t rowBytes = 3 * size_t(std::max(0, width));
    std::vector<uint8_t> block(rowBytes * kBlockRows);
    const int computed = std::min(generator.rows(), height);
    auto make = [&](int first, int count, bool compute) {
        shareRange(pool, first, first + count, 1, [&](int worker, int from, int to) {
            for (int y = from; y < to && !stopped(); ++y) {
                uint8_t* bytes = &block[size_t(y - first) * rowBytes];
                seedRow(pattern, width, y, bytes);
                if (compute)
                    generator.computeRow(y, bytes, worker);
                if (marks.signature)
                    stampSignatureRow(bytes, width, y);
                ovek::stampGuideRow(bytes, width, height, y, marks.guides);
            }
        });
        if (stopped() || !sink.putRows(first, count, block.data(), std::ptrdiff_t(rowBytes)))
            return false;
        if (delivered)
            delivered(count);
        return true;
    };
    int first, count;
    while (computed > 0 && !stopped() && generator.nextRows(kBlockRows, pool, first, count))
        if (!make(first, count, true))
            return false;
    for (int y = computed; y < height; y += kBlockRows)
        if (!make(y, std::min(kBlockRows, height - y), false))
            return false;
    return !stopped();
}

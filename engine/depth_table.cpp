#include "engine/depth_table.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "engine/worker_pool.h"
#include "image/grey_picture.h"

namespace {

constexpr int kSweepRows = 64;  // segments swept at a time
constexpr int kHeights = 256;   // levels of an 8-bit grey picture
// How far (in height) a settled cell stands above anything a farther segment
// can reach where it crosses the sight line; rounding moves heights by far less.
constexpr double kSettleMargin = 1e-2;

}  // namespace

struct DepthTable::Row {
    std::vector<double> cells;  // width + 1, the last one always 0
};

struct alignas(64) DepthTable::Scratch {
    std::vector<double> seenAt;  // (kSweepRows + 1) x kHeights: the row each height is seen at
    int seenFrom = INT_MIN;      // ... for the segments from this j
};

DepthTable::DepthTable(const RowArithmetic& eyes, const ovek::GreyPicture* depth, int width,
                       int height, int needLo, int needHi, int columnLo, int columnHi, int workers,
                       const ovek::RowOptions& options)
    : eyes_(eyes), width_(width), height_(height), halfW_(width >> 1), halfH_(height >> 1),
      needLo_(needLo), needHi_(needHi), columnLo_(columnLo), columnHi_(columnHi)
{
    const size_t samples = depth ? size_t(depth->width) * size_t(depth->height) : 0;
    wide_ = depth && !depth->values16.empty() && depth->values16.size() == samples;
    depth_ = depth && (wide_ || (!depth->values.empty() && depth->values.size() == samples))
                 ? depth
                 : nullptr;
    const int levels = wide_ ? 65536 : kHeights;
    heightOf_.resize(size_t(levels));
    bool whole = true;
    for (int v = 0; v < levels; ++v) {
        const double h = ovek::sampleHeight(v, wide_, options);
        heightOf_[size_t(v)] = h;
        whole = whole && h == std::floor(h) && h >= 0 && h < (1 << 20);
    }
    // With a whole-number eye-to-plane distance D below 2^20, D * z is exact for
    // whole heights z below 2^20, and so is (D * z) / D.
    const double D = eyes_.eye_h - eyes_.img_h;
    flatExact_ = whole && D > 0 && D < (1 << 20) && D == std::floor(D);
    // The segments (j, j + 1) for j = -halfH .. halfH - 2, split at the middle.
    const int last = halfH_ - 2;
    up_ = {-1, std::min(-1, last), -halfH_ - 1};
    if (up_.next < -halfH_)
        up_.next = up_.end;
    down_ = {1, 0, std::max(0, last + 1)};
    rows_.resize(size_t(std::max(0, needHi_ - needLo_ + 1)));
    cells_.resize(rows_.size());
    // Column by column, so that looking past settled rows stays within a few
    // cache lines.
    settledWords_ = (rows_.size() + 63) / 64;
    settled_.assign(size_t(width_) * settledWords_, 0);
    zeros_.assign(size_t(width_) + 1, 0.0);
    for (int i = 0; i < std::max(1, workers); ++i) {
        auto s = std::make_unique<Scratch>();
        s->seenAt.resize(size_t(kSweepRows + 1) * kHeights);
        scratch_.push_back(std::move(s));
    }
}

DepthTable::~DepthTable() = default;

int DepthTable::level(int x, int y) const
{
    const size_t at = size_t(y) * size_t(depth_->width) + size_t(x);
    return wide_ ? depth_->values16[at] : depth_->values[at];
}

DepthTable::Row* DepthTable::held(int r) const
{
    return r < needLo_ || r > needHi_ ? nullptr : rows_[size_t(r - needLo_)].get();
}

const double* DepthTable::row(int r) const
{
    const Row* held = this->held(r);
    return held ? held->cells.data() : zeros_.data();
}

bool DepthTable::final(int r) const
{
    if (r < needLo_ || r > needHi_)
        return true;
    const bool upFinal = done(up_) || r >= highestTo_[size_t(up_.next + halfH_)];
    const bool downFinal = done(down_) || r < lowestFrom_[size_t(down_.next + halfH_)];
    return upFinal && downFinal;
}

void DepthTable::finish(int r, WorkerPool& pool)
{
    if (!boundsKnown_)
        findRowBounds(pool);
    while (!final(r))
        advance(done(up_) || r >= highestTo_[size_t(up_.next + halfH_)] ? down_ : up_, pool);
}

void DepthTable::release(int lo, int hi)
{
    for (int r = std::max(lo, needLo_); r <= std::min(hi, needHi_); ++r) {
        if (rows_[size_t(r - needLo_)])
            spare_.push_back(std::move(rows_[size_t(r - needLo_)]));
        cells_[size_t(r - needLo_)] = nullptr;
    }
}

// The table rows a segment (j, j + 1) can write lie between the rows at which
// its lowest and highest possible heights are seen: bounds over every height
// of an 8-bit picture; with 16-bit samples, over the least and the greatest
// height with one more row each way for rounding between them.
void DepthTable::findRowBounds(WorkerPool& pool)
{
    const int count = std::max(0, 2 * halfH_ - 1);  // j = -halfH .. halfH - 2
    lowest_.assign(size_t(count), 0);
    highest_.assign(size_t(count), 0);
    std::vector<double> heights = heightOf_;
    int margin = 1;
    if (wide_) {
        const auto [least, most] = std::minmax_element(heights.begin(), heights.end());
        heights = {*least, *most};
        margin = 2;
    }
    pool.run([&](int worker) {
        int from, to;
        splitRange(-halfH_, -halfH_ + count, pool.size(), worker, 1, from, to);
        for (int j = from; j < to; ++j) {
            double lo = HUGE_VAL, hi = -HUGE_VAL;
            for (const double z : heights) {
                for (int y : {j, j + 1}) {
                    const double seen = eyes_.imageY(y, z);
                    lo = std::min(lo, seen);
                    hi = std::max(hi, seen);
                }
            }
            lowest_[size_t(j + halfH_)] = truncClamp(lo, -height_, height_) - margin;
            highest_[size_t(j + halfH_)] = truncClamp(hi, -height_, height_) + margin;
        }
    });
    // Down: rows below the least lowest of the segments still to come are final.
    lowestFrom_.assign(size_t(count) + 1, INT_MAX);
    for (int j = down_.end - 1; j >= down_.next; --j)
        lowestFrom_[size_t(j + halfH_)] =
            std::min(lowest_[size_t(j + halfH_)], lowestFrom_[size_t(j + halfH_) + 1]);
    // Up: rows from the greatest highest of the segments still to come are.
    highestTo_.assign(size_t(count) + 1, INT_MIN);
    for (int j = -halfH_; j <= up_.next && j < down_.next; ++j)
        highestTo_[size_t(j + halfH_)] = std::max(
            highest_[size_t(j + halfH_)], j > -halfH_ ? highestTo_[size_t(j + halfH_) - 1] : INT_MIN);
    boundsKnown_ = true;
}

// Sweeps the next segments, first making room for every row they can write.
void DepthTable::advance(Sweep& sweep, WorkerPool& pool)
{
    const int first = sweep.next;
    const int steps = std::min(kSweepRows, std::abs(sweep.end - sweep.next));
    const int end = first + sweep.outwards * steps;
    int lo = INT_MAX, hi = INT_MIN;
    for (int j = first; j != end; j += sweep.outwards) {
        lo = std::min(lo, lowest_[size_t(j + halfH_)]);
        hi = std::max(hi, highest_[size_t(j + halfH_)] - 1);
    }
    for (int r = std::max(lo, needLo_); r <= std::min(hi, needHi_); ++r) {
        std::unique_ptr<Row>& held = rows_[size_t(r - needLo_)];
        if (held)
            continue;
        if (!spare_.empty()) {
            held = std::move(spare_.back());
            spare_.pop_back();
            std::fill(held->cells.begin(), held->cells.end(), 0.0);
        } else {
            held = std::make_unique<Row>();
            held->cells.assign(size_t(width_) + 1, 0.0);
        }
        cells_[size_t(r - needLo_)] = held->cells.data();
    }
    if (depth_) {
        // Strips of whole cache lines, so that workers never share one.
        const int strip = 64;
        const int from = columnLo_ / 8 * 8;
        shareRange(pool, from, columnHi_, strip, [&](int worker, int begin, int stop) {
            sweepStrip(sweep, first, end, std::max(begin, columnLo_), stop,
                       *scratch_[size_t(worker)]);
        });
    }
    sweep.next = end;
}

// YChangedObjectModel::initImageY for the columns [columnFrom, columnTo) and
// the segments jFirst .. jEnd (exclusive) in the sweep's direction, writing
// only the rows that are read.
//
// A sight line from the eye falls steadily as it goes out from the middle
// row, so a segment crossing it farther out is seen lower where it crosses:
// once a cell holds more than the sight line's height at the near end of the
// current segment (with a margin far above any rounding), no segment still
// to come in this sweep can raise it between that segment's projected ends.
// The cell is settled then, and its bit in `settled_` leads past it. Rows a
// segment writes outside its projected ends are always looked at.
void DepthTable::sweepStrip(const Sweep& sweep, int jFirst, int jEnd, int columnFrom,
                            int columnTo, Scratch& s)
{
    // A local, so that stores into the cells do not make the compiler reload it.
    const RowArithmetic eyes = eyes_;
    const int out = sweep.outwards;
    const int jLow = std::min(jFirst, jEnd - out), jHigh = std::max(jFirst, jEnd - out);
    if (!wide_ && s.seenFrom != jLow) {  // once per worker and batch of segments
        for (int j = jLow; j <= jHigh + 1; ++j)
            for (int z = 0; z < kHeights; ++z)
                s.seenAt[size_t(j - jLow) * kHeights + size_t(z)] =
                    eyes.imageY(j, heightOf_[size_t(z)]);
        s.seenFrom = jLow;
    }
    const double* heightOf = heightOf_.data();
    const double D = eyes.eye_h - eyes.img_h;
    const int pictureCenterX = depth_->width >> 1, pictureCenterY = depth_->height >> 1;
    const int from = std::max(columnFrom, halfW_ - pictureCenterX);
    const int to = std::min(columnTo, halfW_ - pictureCenterX + depth_->width);
    // A segment's rows first .. end - 1 are all held.
    auto cellAt = [&](int r, int c) -> double& { return cells_[size_t(r - needLo_)][c]; };
    // Column by column, so that the cells one column's segments reach stay in
    // the cache for the next columns, which share their cache lines.
    for (int c = from; c < to; ++c) {
        const int ix = pictureCenterX + c - halfW_;
        uint64_t* bits = &settled_[size_t(c) * settledWords_];
        for (int j = jFirst; j != jEnd; j += out) {
            const int first = std::max(needLo_, lowest_[size_t(j + halfH_)]);
            const int end = std::min(needHi_ + 1, highest_[size_t(j + halfH_)]);
            const int rowA = pictureCenterY + j, rowB = rowA + 1;
            const bool insideA = rowA >= 0 && rowA < depth_->height;
            const bool insideB = rowB >= 0 && rowB < depth_->height;
            // Outside the picture heights are 0: nothing rises above the table's zeros.
            if (first >= end || (!insideA && !insideB))
                continue;
            // Outside the picture the height is 0, whatever the samples map to.
            const int zA = insideA ? level(ix, rowA) : -1;
            const int zB = insideB ? level(ix, rowB) : -1;
            double hA = zA < 0 ? 0.0 : heightOf[zA], hB = zB < 0 ? 0.0 : heightOf[zB];
            if (!(hA > 0 || hB > 0))
                continue;
            // The distance from the middle row to the segment's near end.
            const double near = out > 0 ? j : -(j + 1);
            double yA, yB;
            if (wide_) {
                yA = eyes.imageY(j, hA);
                yB = eyes.imageY(j + 1, hB);
            } else {
                const double* seenA = &s.seenAt[size_t(j - jLow) * kHeights];
                const double* seenB = seenA + kHeights;
                yA = zA < 0 ? eyes.imageY(j, 0.0) : seenA[zA];
                yB = zB < 0 ? eyes.imageY(j + 1, 0.0) : seenB[zB];
            }
            if (!(-halfH_ < yA && yA < halfH_ && -halfH_ < yB && yB < halfH_))
                continue;
            // Only the heights follow the exchange; the segment stays (j, hA)-(j + 1, hB).
            if (yA > yB) {
                std::swap(yA, yB);
                std::swap(hA, hB);
            }
            const bool flat = hA == hB && flatExact_;
            auto see = [&](int r) {
                double& cell = cellAt(r, c);
                double t;
                if (flat ? cell < hA : eyes.realDeepAbove(j, hA, j + 1, hB, r, cell, t))
                    cell = flat ? hA : t;
            };
            // The rows written, [rFrom, rTo), in the sweep's direction: those
            // between the projected ends and past the middle row (the zone)
            // past settled cells, the others one by one.
            const int rFrom = std::max(int(yA) - 1, first), rTo = std::min(int(yB) + 1, end);
            if (rFrom >= rTo)
                continue;
            const int zoneLo = std::max({ceilOf(yA), rFrom, out > 0 ? 1 : INT_MIN});
            const int zoneHi = std::min({floorOf(yB), rTo - 1, out > 0 ? INT_MAX : -1});
            const int start = out > 0 ? rFrom : rTo - 1, finish = out > 0 ? rTo : rFrom - 1;
            if (zoneLo > zoneHi) {
                for (int r = start; r != finish; r += out)
                    see(r);
                continue;
            }
            const int zoneStart = out > 0 ? zoneLo : zoneHi, zoneStop = out > 0 ? zoneHi + 1 : zoneLo - 1;
            auto inZone = [&](int r) { return out > 0 ? r < zoneStop : r > zoneStop; };
            // The first row from r on in the sweep's direction that is not
            // settled, or one past the zone.
            auto find = [&](int r) {
                if (!inZone(r))
                    return r;
                const int i = r - needLo_;
                int w = i / 64;
                if (out > 0) {
                    uint64_t open = ~bits[w] & (~uint64_t(0) << (i % 64));
                    while (!open) {
                        if (needLo_ + 64 * ++w >= zoneStop)
                            return zoneStop;
                        open = ~bits[w];
                    }
                    return needLo_ + 64 * w + __builtin_ctzll(open);
                }
                uint64_t open = ~bits[w] & (~uint64_t(0) >> (63 - i % 64));
                while (!open) {
                    if (w == 0 || needLo_ + 64 * w - 1 <= zoneStop)
                        return zoneStop;
                    open = ~bits[--w];
                }
                return needLo_ + 64 * w + 63 - __builtin_clzll(open);
            };
            for (int r = start; r != zoneStart; r += out)
                see(r);
            for (int r = find(zoneStart); inZone(r); r = find(r + out)) {
                const double cell = cellAt(r, c);
                if (D * near > (eyes.eye_h - cell + kSettleMargin) * (out * r))
                    bits[(r - needLo_) / 64] |= uint64_t(1) << ((r - needLo_) % 64);
                else
                    see(r);
            }
            for (int r = zoneStop; r != finish; r += out)
                see(r);
        }
    }
}

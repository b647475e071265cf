#include "engine/fast_depth_rows.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <type_traits>
#include <utility>

#include "engine/discrete_object_model.h"
#include "engine/worker_pool.h"

namespace {

constexpr double kScale = 2.3;  // the coordinate scale of the prepared field
// How far (in height) a settled column stands above anything a farther
// segment can reach; rounding moves heights by less than 1e-3 here.
constexpr double kSettleMargin = 1e-2;

}  // namespace

struct alignas(64) FastDepthRows::Scratch {
    std::vector<uint8_t> fine;           // oversampled: the row computed, fineWidth columns
    std::vector<double> z, p;            // per sample: height, right-eye picture x
    std::vector<double> depth, source;   // per column: nearest height and its x
    std::vector<double> from;            // per column: where the left eye sees that point
    std::vector<int> winner;             // per column: the sample that gave depth
    std::vector<int> next;               // per column and one past: the next column not settled
};

FastDepthRows::FastDepthRows(const ViewerModel& viewer, const ovek::GreyPicture* depth,
                             int width, int height, int span, int workers,
                             const ovek::RowOptions& options)
    : eyes_(viewer), width_(std::max(1, width)), height_(std::max(1, height)),
      halfW_(width_ >> 1), halfH_(height_ >> 1),
      oversample_(std::clamp(options.oversample, 1, ovek::kMaxOversampling)),
      fineWidth_(width_ * oversample_), fineHalf_(fineWidth_ >> 1),
      scaleX_(kScale * oversample_), crossed_(options.crossed),
      mirror_(options.low + options.high), low_(options.low), high_(options.high),
      span_(std::max(0, span) * oversample_), rowsComputed_(height_ - 1)
{
    eyes_.eye_dis *= oversample_;
    const int samples = 2 * span_;
    cell0_.resize(size_t(samples));
    cell1_.resize(size_t(samples));
    fx_.resize(size_t(samples));
    int lo = width_, hi = -1;
    for (int s = 0; s < samples; ++s) {
        const double X = double(s - span_) / scaleX_;
        const double x0 = latticeFloor(X);
        fx_[size_t(s)] = X - x0;
        int cells[2];
        for (int d = 0; d < 2; ++d) {
            int c;
            cells[d] = cellIndex(x0 + d, halfW_, width_, c) ? c : width_;
            if (cells[d] < width_)
                lo = std::min(lo, c), hi = std::max(hi, c);
        }
        cell0_[size_t(s)] = cells[0];
        cell1_[size_t(s)] = cells[1];
    }
    // The rows and columns read. Only columns -halfW .. halfW - 1 are ever
    // filled (an odd width's last stays 0).
    int needLo = 0, needHi = -1;
    if (rowsComputed_ > 0) {
        needLo = std::max(tableRowOf(0), -halfH_);
        needHi = std::min(tableRowOf(rowsComputed_ - 1) + 1, height_ - 1 - halfH_);
    }
    table_ = std::make_unique<DepthTable>(eyes_, depth, width_, height_, needLo, needHi, lo,
                                          std::min(hi + 1, 2 * halfW_), workers, options);
    // The downward sweep writes no row above -1.
    while (split_ < rowsComputed_ && tableRowOf(split_) < -2)
        ++split_;
    upNext_ = downNext_ = split_;

    for (int i = 0; i < std::max(1, workers); ++i) {
        auto s = std::make_unique<Scratch>();
        s->z.resize(size_t(samples));
        s->p.resize(size_t(samples));
        s->depth.resize(size_t(fineWidth_));
        s->source.resize(size_t(fineWidth_));
        s->from.resize(size_t(fineWidth_));
        s->winner.resize(size_t(fineWidth_));
        s->next.resize(size_t(fineWidth_) + 1);
        if (oversample_ > 1)
            s->fine.resize(3 * size_t(fineWidth_));
        scratch_.push_back(std::move(s));
    }
}

FastDepthRows::~FastDepthRows() = default;

int FastDepthRows::tableRowOf(int i) const
{
    return int(latticeFloor(double(i - halfH_) / kScale));
}

bool FastDepthRows::rowReady(int i) const
{
    return table_->final(tableRowOf(i)) && table_->final(tableRowOf(i) + 1);
}

void FastDepthRows::finishRow(int i, WorkerPool& pool)
{
    table_->finish(tableRowOf(i), pool);
    table_->finish(tableRowOf(i) + 1, pool);
}

bool FastDepthRows::nextRows(int most, WorkerPool& pool, int& first, int& count)
{
    if (upNext_ > 0) {
        // Still needed: the table rows of the rows above and of the lower run.
        if (upNext_ < split_)
            table_->release(tableRowOf(upNext_ - 1) + 2, tableRowOf(split_) - 1);
        const int last = upNext_ - 1;
        finishRow(last, pool);
        first = last;
        while (first > 0 && last - first + 1 < most && rowReady(first - 1))
            --first;
        count = last - first + 1;
        upNext_ = first;
        return true;
    }
    if (downNext_ >= rowsComputed_)
        return false;
    table_->release(INT_MIN, tableRowOf(downNext_) - 1);
    finishRow(downNext_, pool);
    first = downNext_;
    count = 1;
    while (count < most && first + count < rowsComputed_ && rowReady(first + count))
        ++count;
    downNext_ += count;
    return true;
}

// DiffViewerModel::initImageX for output row i.
void FastDepthRows::computeRow(int i, uint8_t* output, int worker) const
{
    Scratch& s = *scratch_[size_t(worker)];
    uint8_t* bytes = output;
    if (oversample_ > 1) {
        stretchRow(output, width_, oversample_, s.fine.data());
        bytes = s.fine.data();
    }
    // Locals, so that stores into the scratch rows do not make the compiler
    // reload them.
    const RowArithmetic eyes = eyes_;
    const int span = span_;
    const int row = i - halfH_;
    const double Y = double(row) / kScale;
    const double y0 = latticeFloor(Y);
    const double fy = Y - y0;
    const double* t0 = table_->row(int(y0));
    const double* t1 = table_->row(int(y0) + 1);
    const int samples = 2 * span_;
    // Two passes, so that the second (the divisions) has no lookups and can be
    // done two samples at a time.
    for (int k = 0; k < samples; ++k) {
        const size_t c0 = size_t(cell0_[size_t(k)]), c1 = size_t(cell1_[size_t(k)]);
        const double fx = fx_[size_t(k)];
        const double r = ((1 - fx) * t0[c0] + fx * t0[c1]) * (1 - fy) +
                         ((1 - fx) * t1[c0] + fx * t1[c1]) * fy;
        s.z[size_t(k)] = r < 0 ? 0 : r;
    }
    const double eye = eyes.eye_dis;
    for (int k = 0; k < samples; ++k)
        s.p[size_t(k)] = eyes.imageX(eye, k - span, s.z[size_t(k)]);

    // Each segment between neighbouring samples is seen through the columns
    // its ends project between; a column keeps the greatest height it sees and,
    // among equal ones, the first segment's (smallest k). Which segment wins
    // does not depend on the order when that tie rule is kept explicitly, so
    // the segments go outwards from the right eye, nearest first, and most
    // farther ones are turned away early.
    std::fill(s.depth.begin(), s.depth.end(), -1.0);
    std::fill(s.winner.begin(), s.winner.end(), INT_MIN);
    const int half = fineHalf_;
    // A sight line from the eye falls steadily as it goes out, so a segment
    // crossing it from farther out is seen lower: once a column holds more than
    // the sight line's height at the near end of the current segment (with a
    // margin far above any rounding), no segment still to come, which lies
    // farther out, can reach it where it crosses between its ends. Such a
    // column is settled and skipped from then on; next[] leads past settled
    // columns.
    const double D = eyes.eye_h - eyes.img_h;
    auto find = [&](int at) {
        while (s.next[size_t(at)] != at) {
            s.next[size_t(at)] = s.next[size_t(s.next[size_t(at)])];
            at = s.next[size_t(at)];
        }
        return at;
    };
    auto segment = [&](int k, auto direction) {
        constexpr int outwards = decltype(direction)::value;
        double pA = s.p[size_t(k)], zA = s.z[size_t(k)];
        double pB = s.p[size_t(k) + 1], zB = s.z[size_t(k) + 1];
        if (pA > pB) {
            std::swap(pA, pB);
            std::swap(zA, zB);
        }
        if (!(-half < pA && pA < half && -half < pB && pB < half))
            return;
        const double x = k - span;
        const double highest = zA > zB ? zA : zB;
        auto see = [&](int m) {
            const size_t at = size_t(m + half);
            double& depth = s.depth[at];
            int& winner = s.winner[at];
            // The intersection never rises above the higher end.
            if (depth > highest || (depth == highest && winner < k))
                return;
            double t, source;
            if (!eyes.sightLine(x, zA, x + 1, zB, m, eye, depth, t, source))
                return;
            if (t > depth || (t == depth && k < winner)) {
                depth = t;
                winner = k;
                s.source[at] = source;
            }
        };
        int m = int(pA);
        // A column left of the first end's projection sees the segment's line
        // beyond its end: not covered by the argument above, always looked at.
        if (m < pA)
            see(m++);
        const int last = floorOf(pB) + half;
        // How far out from the eye the segment's near end lies.
        const double out = outwards * ((outwards > 0 ? x : x + 1) - eye);
        for (int at = find(m + half); at <= last; at = find(at + 1)) {
            const double reach = outwards * (at - half - eye);
            if (out >= 0 && reach > 0 &&
                D * out > (eyes.eye_h - s.depth[size_t(at)] + kSettleMargin) * reach)
                s.next[size_t(at)] = at + 1;
            else
                see(at - half);
        }
    };
    const int middle = std::clamp(span + int(eye), 0, std::max(0, samples - 1));
    std::iota(s.next.begin(), s.next.end(), 0);
    for (int k = middle; k + 1 < samples; ++k)
        segment(k, std::integral_constant<int, 1>());
    std::iota(s.next.begin(), s.next.end(), 0);
    for (int k = middle - 1; k >= 0; --k)
        segment(k, std::integral_constant<int, -1>());

    // The colour copy reads columns it may have written, so it goes in order;
    // where each column's colour comes from is worked out first.
    if (crossed_) {
        for (int at = 0; at < 2 * half; ++at)
            s.from[size_t(at)] =
                at - half - eyes.repeat(mirrored(s.depth[size_t(at)], mirror_, low_, high_));
    } else {
        for (int at = 0; at < 2 * half; ++at)
            s.from[size_t(at)] = eyes.imageX(-eye, s.source[size_t(at)], s.depth[size_t(at)]);
    }
    for (int m = -half; m < half; ++m) {
        const size_t at = size_t(m + half);
        if (s.depth[at] >= 0)
            copyColour(bytes, fineWidth_, s.from[at], m);
    }
    if (oversample_ > 1)
        averageRow(bytes, width_, oversample_, output);
}

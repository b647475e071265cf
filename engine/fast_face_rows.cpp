#include "engine/fast_face_rows.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <cmath>
#include <utility>

#include "engine/triangle_model.h"

namespace {

// Never below a triangle's index, so that no triangle ties with "nothing seen".
constexpr uint32_t kNoTriangle = UINT32_MAX;

}  // namespace

struct alignas(64) FastFaceRows::Scratch {
    std::vector<uint8_t> fine;       // oversampled: the row computed, width_ columns
    std::vector<double> depthRight, sourceRight, depthLeft, sourceLeft;  // per column
    std::vector<uint32_t> winnerLeft;  // per column: the triangle that gave depthLeft
    std::vector<uint32_t> active;    // triangles whose rows cover `row`, in list order
    std::vector<uint32_t> incoming;  // scratch for advance
    std::vector<uint32_t> merged;    // scratch for advance
    size_t nextFirst = 0;            // next entry of byFirstRow_ to take in
    int row = INT_MIN;               // the row active belongs to
};

FastFaceRows::FastFaceRows(const ViewerModel& viewer, const FacesModel& faces, int width,
                           int viewerHeight, int rows, int workers,
                           const ovek::RowOptions& options)
    : eyes_(viewer), outWidth_(std::max(0, width)),
      oversample_(std::clamp(options.oversample, 1, ovek::kMaxOversampling)),
      crossed_(options.crossed), mirror_(options.low + options.high), low_(options.low),
      high_(options.high), width_(outWidth_ * oversample_), half_(width_ >> 1),
      centre_(viewerHeight / 2), rows_(std::max(0, rows))
{
    eyes_.eye_dis *= oversample_;
    const double rowMin = -centre_, rowMax = rows_ - 1 - centre_;
    triangles_.reserve(faces.triangles.size());
    for (const auto& face : faces.triangles) {
        // YChangedObjectModel::getFaces: each corner moved to the row it is seen at ...
        Corner c[3] = {{face->p0->x, face->p0->y, face->p0->z},
                       {face->p1->x, face->p1->y, face->p1->z},
                       {face->p2->x, face->p2->y, face->p2->z}};
        for (Corner& p : c) {
            p.y = eyes_.imageY(p.y, p.z);
            p.x *= oversample_;
        }
        // ... then sorted by TriangleModel::init's three compare-exchanges.
        Corner *low = &c[0], *mid = &c[1], *high = &c[2];
        if (low->y > mid->y)
            std::swap(low, mid);
        if (low->y > high->y)
            std::swap(low, high);
        if (mid->y > high->y)
            std::swap(mid, high);
        const Triangle t{*low, *mid, *high};

        // The whole-number rows y with low.y < y <= mid.y or mid.y <= y < high.y.
        double first = HUGE_VAL, last = -HUGE_VAL;
        if (t.low.y <= t.mid.y) {
            first = std::min(first, std::floor(t.low.y) + 1);
            last = std::max(last, std::floor(t.mid.y));
        }
        if (t.mid.y <= t.high.y) {
            first = std::min(first, std::ceil(t.mid.y));
            last = std::max(last, std::ceil(t.high.y) - 1);
        }
        first = std::max(first, rowMin);
        last = std::min(last, rowMax);
        firstRow_.push_back(first <= last ? int(first) : 0);
        lastRow_.push_back(first <= last ? int(last) : -1);
        if (first <= last)
            byFirstRow_.push_back(uint32_t(triangles_.size()));
        triangles_.push_back(t);
    }
    std::stable_sort(byFirstRow_.begin(), byFirstRow_.end(),
                     [this](uint32_t a, uint32_t b) { return firstRow_[a] < firstRow_[b]; });

    for (int i = 0; i < std::max(1, workers); ++i) {
        auto s = std::make_unique<Scratch>();
        for (auto* v : {&s->depthRight, &s->sourceRight, &s->depthLeft, &s->sourceLeft})
            v->assign(size_t(width_), 0.0);
        s->winnerLeft.assign(size_t(width_), kNoTriangle);
        if (oversample_ > 1)
            s->fine.resize(3 * size_t(width_));
        scratch_.push_back(std::move(s));
    }
}

FastFaceRows::~FastFaceRows() = default;

bool FastFaceRows::nextRows(int most, WorkerPool&, int& first, int& count)
{
    if (handedOut_ >= rows_)
        return false;
    first = handedOut_;
    count = std::min(most, rows_ - handedOut_);
    handedOut_ += count;
    return true;
}

// TriangleModel::setLine.
bool FastFaceRows::crosses(const Triangle& t, double y, double& xA, double& xB, double& zA,
                           double& zB) const
{
    const Corner *a0, *a1, *b0, *b1;  // the edges of crossings A and B
    if (t.low.y < y && y <= t.mid.y) {
        a0 = &t.low, a1 = &t.mid;
        b0 = &t.low, b1 = &t.high;
    } else if (t.mid.y <= y && y < t.high.y) {
        a0 = &t.low, a1 = &t.high;
        b0 = &t.mid, b1 = &t.high;
    } else {
        return false;
    }
    xA = middleOf(a0->y, a1->y, a0->x, a1->x, y);
    zA = middleOf(a0->y, a1->y, a0->z, a1->z, y);
    xB = middleOf(b0->y, b1->y, b0->x, b1->x, y);
    zB = middleOf(b0->y, b1->y, b0->z, b1->z, y);
    return true;
}

// Moves the worker's list of triangles to `row`: drops those that ended,
// merges in those that start, keeping list order.
void FastFaceRows::advance(Scratch& s, int row) const
{
    if (row < s.row) {
        s.active.clear();
        s.nextFirst = 0;
    }
    s.incoming.clear();
    for (; s.nextFirst < byFirstRow_.size() && firstRow_[byFirstRow_[s.nextFirst]] <= row;
         ++s.nextFirst) {
        const uint32_t t = byFirstRow_[s.nextFirst];
        if (lastRow_[t] >= row)
            s.incoming.push_back(t);
    }
    std::sort(s.incoming.begin(), s.incoming.end());
    s.active.erase(std::remove_if(s.active.begin(), s.active.end(),
                                  [&](uint32_t t) { return lastRow_[t] < row; }),
                   s.active.end());
    s.merged.clear();
    std::merge(s.active.begin(), s.active.end(), s.incoming.begin(), s.incoming.end(),
               std::back_inserter(s.merged));
    std::swap(s.active, s.merged);
    s.row = row;
}

// FaceViewerModel's right-eye pass, list order: a column keeps the first
// triangle that reached its greatest height.
void FastFaceRows::rightEyePass(Scratch& s, double row) const
{
    const int half = half_;
    for (const uint32_t index : s.active) {
        double xA, xB, zA, zB;
        if (!crosses(triangles_[index], row, xA, xB, zA, zB))
            continue;
        double pA = eyes_.imageX(eyes_.eye_dis, xA, zA);
        double pB = eyes_.imageX(eyes_.eye_dis, xB, zB);
        if (pA > pB) {
            std::swap(pA, pB);
            std::swap(zA, zB);
            std::swap(xA, xB);
        }
        if (!(zA > 0 && zB > 0))
            continue;
        const double lo = maxOf(pA, -half);
        const double hi = pB < half - 1 ? pB : half - 1;
        const double first = std::trunc(lo);
        if (!(first < hi))
            continue;
        const double highest = zA > zB ? zA : zB;
        for (int k = int(first); k < hi; ++k) {
            const size_t i = size_t(k + half);
            // The intersection never rises above the higher end.
            if (s.depthRight[i] >= highest)
                continue;
            double t, source;
            if (eyes_.sightLine(xA, zA, xB, zB, k, eyes_.eye_dis, s.depthRight[i], t, source) &&
                t > s.depthRight[i] && t < eyes_.eye_h / 2) {
                s.depthRight[i] = t;
                s.sourceRight[i] = source;
            }
        }
    }
}

// FaceViewerModel's left-eye pass runs in reverse list order, so that a column
// keeps the last triangle that reached its greatest height. Visited in list
// order with that tie rule kept explicitly, the mesh comes before the
// background behind it, which then mostly costs no division.
void FastFaceRows::leftEyePass(Scratch& s, double row) const
{
    const double eyeX = -eyes_.eye_dis;
    const int half = half_;
    for (const uint32_t index : s.active) {
        double xA, xB, zA, zB;
        if (!crosses(triangles_[index], row, xA, xB, zA, zB))
            continue;
        double pA = eyes_.imageX(eyeX, xA, zA);
        double pB = eyes_.imageX(eyeX, xB, zB);
        if (pB > pA) {
            std::swap(pA, pB);
            std::swap(zA, zB);
            std::swap(xA, xB);
        }
        if (!(zA > 0 && zB > 0))
            continue;
        const double lo = maxOf(pB, 1 - half);
        const double hi = pA < half - 1 ? pA : half - 1;
        const double first = std::trunc(hi);
        if (!(first >= lo))
            continue;
        const double highest = zA > zB ? zA : zB;
        for (int k = int(first); k >= lo; --k) {
            const size_t i = size_t(k + half);
            double& depth = s.depthLeft[i];
            if (depth > highest)
                continue;
            double t, source;
            if (eyes_.sightLine(xA, zA, xB, zB, k, eyeX, depth, t, source) &&
                (t > depth || (t == depth && s.winnerLeft[i] < index)) && t < eyes_.eye_h / 2) {
                depth = t;
                s.winnerLeft[i] = index;
                s.sourceLeft[i] = source;
            }
        }
    }
}

// FaceViewerModel::initImageX for output row i.
void FastFaceRows::computeRow(int i, uint8_t* output, int worker) const
{
    if (width_ <= 0)
        return;
    Scratch& s = *scratch_[size_t(worker)];
    uint8_t* bytes = output;
    if (oversample_ > 1) {
        stretchRow(output, outWidth_, oversample_, s.fine.data());
        bytes = s.fine.data();
    }
    const int row = i - centre_;
    advance(s, row);
    std::fill(s.depthRight.begin(), s.depthRight.end(), -1.0);
    std::fill(s.depthLeft.begin(), s.depthLeft.end(), -1.0);
    std::fill(s.winnerLeft.begin(), s.winnerLeft.end(), kNoTriangle);
    rightEyePass(s, row);
    leftEyePass(s, row);
    const int half = half_;
    // Crossed: the partner lies the mirrored height's repeat away, on the side
    // the design's partner lies.
    auto crossedRepeat = [&](double depth) {
        return eyes_.repeat(mirrored(depth, mirror_, low_, high_));
    };
    for (int k = 0; k < half; ++k) {
        const size_t at = size_t(k + half);
        if (s.depthRight[at] > 1)
            copyColour(bytes, width_,
                       crossed_ ? k - crossedRepeat(s.depthRight[at])
                                : eyes_.imageX(-eyes_.eye_dis, s.sourceRight[at], s.depthRight[at]),
                       k);
    }
    for (int k = 0; k >= -half; --k) {
        const size_t at = size_t(k + half);
        if (s.depthLeft[at] > 1)
            copyColour(bytes, width_,
                       crossed_ ? k + crossedRepeat(s.depthLeft[at])
                                : eyes_.imageX(eyes_.eye_dis, s.sourceLeft[at], s.depthLeft[at]),
                       k);
    }
    if (oversample_ > 1)
        averageRow(bytes, outWidth_, oversample_, output);
}

#include "app/progress_line.h"

#include <cstdio>

namespace ovek {

namespace {

// A run is judged only after this long, when its pace is known.
constexpr double kJudgeAfter = 0.25;   // seconds
constexpr double kLongRun = 1.0;       // seconds expected in all
constexpr double kRedrawEvery = 0.1;   // seconds

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

}  // namespace

ProgressLine::ProgressLine(bool enabled, Unit unit)
    : enabled_(enabled), unit_(unit), started_(Clock::now())
{
}

ProgressLine::~ProgressLine()
{
    if (!shown_)
        return;
    std::fprintf(stderr, "\r%*s\r", int(drawnLength_), "");
    std::fflush(stderr);
}

void ProgressLine::update(int done, int total)
{
    if (!enabled_ || done <= 0 || total <= 0)
        return;
    const Clock::time_point now = Clock::now();
    const double elapsed = seconds(now - started_);
    if (!shown_) {
        if (elapsed < kJudgeAfter || elapsed * total / done < kLongRun)
            return;
        shown_ = true;
    } else if (seconds(now - lastDrawn_) < kRedrawEvery && done < total) {
        return;
    }
    lastDrawn_ = now;
    char text[128];
    int n = 0;
    if (unit_ == Unit::Rows) {
        n = std::snprintf(text, sizeof text, "producing: row %d of %d (%d%%), %.1f s", done, total,
                          int(100LL * done / total), elapsed);
    } else {
        const double rate = elapsed > 0 ? done / elapsed : 0;
        const double left = rate > 0 ? (total - done) / rate : 0;
        n = std::snprintf(text, sizeof text, "animating: frame %d of %d, %.1f frames/s, %.0f s left",
                          done, total, rate, left);
    }
    const size_t length = n > 0 ? size_t(n) : 0;
    // Padding covers a longer line drawn before.
    std::fprintf(stderr, "\r%s%*s", text, int(drawnLength_ > length ? drawnLength_ - length : 0), "");
    std::fflush(stderr);
    if (length > drawnLength_)
        drawnLength_ = length;
}

}  // namespace ovek

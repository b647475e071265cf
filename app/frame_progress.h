#pragma once
// A one-line progress indicator for runs that make many frames: frame k of N,
// frames a second and the time left, redrawn in place on standard error and
// cleared at the end.
#include <chrono>
#include <cstddef>

namespace ovek {

class FrameProgress {
public:
    // Disabled, it never writes: for pipes and --quiet.
    explicit FrameProgress(bool enabled);
    ~FrameProgress();   // clears the line when it was shown
    FrameProgress(const FrameProgress&) = delete;
    FrameProgress& operator=(const FrameProgress&) = delete;

    // The line appears once the run looks like taking more than about a
    // second, and is redrawn about ten times a second.
    void update(int done, int total);

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    bool shown_ = false;
    size_t drawnLength_ = 0;   // characters on the line now
    Clock::time_point started_;
    Clock::time_point lastDrawn_;
};

}  // namespace ovek

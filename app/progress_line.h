#pragma once
// A one-line progress indicator on standard error for long runs, redrawn in
// place and cleared at the end: rows done, percent and elapsed time for a
// production; frames done, the pace and the time left for an animation.
#include <chrono>
#include <cstddef>

namespace ovek {

class ProgressLine {
public:
    enum class Unit { Rows, Frames };
    // Disabled, it never writes: for pipes and --quiet.
    explicit ProgressLine(bool enabled, Unit unit = Unit::Rows);
    ~ProgressLine();   // clears the line when it was shown
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // Cheap when nothing is drawn: the line appears once the run looks like
    // taking more than about a second, and is redrawn about ten times a second.
    void update(int done, int total);

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    Unit unit_;
    bool shown_ = false;
    size_t drawnLength_ = 0;           // characters on the line now
    Clock::time_point started_;
    Clock::time_point lastDrawn_;
};

}  // namespace ovek

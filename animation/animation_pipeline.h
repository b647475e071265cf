#pragma once
// Making the frames of an animation and handing them to a writer in order:
// frames are spread over the threads, at most two per thread are held at
// once, so memory does not grow with the number of frames.
#include <functional>
#include <string>

#include "animation/frame_source.h"
#include "animation/frame_writer.h"
#include "animation/pattern_motion.h"

namespace ovek {

struct AnimationRun {
    const FrameSource* source = nullptr;
    StereogramSettings settings; // every frame's, before its source and pattern adjust them
    PatternProvider patterns;   // empty: every frame has the settings' pattern (none: black)
    int threads = 0;            // threads making frames; 0: one per core
    // Told on the calling thread after each frame was written: frames written
    // and frames in all.
    std::function<void(int done, int total)> onFrame;
};

struct AnimationOutcome {
    enum Kind {
        Done,
        BadInput,    // input (a model or a depth picture) cannot be read or used
        BadOutput,   // the writer refused a frame
    };
    Kind kind = Done;
    std::string input;    // BadInput: the input, as the source names it
    std::string reason;
    explicit operator bool() const { return kind == Done; }
};

// Makes every frame of run.source and gives it to writer (prepare on the
// frame's thread, write in order on the calling thread, finish at the end).
// Stops at the first frame in order that fails.
AnimationOutcome runAnimation(const AnimationRun& run, FrameWriter& writer);

}  // namespace ovek

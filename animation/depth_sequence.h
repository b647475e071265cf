#pragma once
// A sequence of depth pictures, one per frame: numbered files, a folder, or
// files named one by one; all the same size, or resampled to one.
#include <string>
#include <vector>

#include "animation/frame_source.h"

namespace ovek {

// Sequences longer than this are refused: a day of video at 25 frames a second.
constexpr size_t kMaxSequenceFrames = 100000;

// The files of a sequence named by names (the --depth arguments): a single
// numbered name ("frame_%03d.png") gives the numbered files from the first
// that exists among 0 and 1 up to the first missing; a single folder, its
// picture files (by their ending) in natural order, frame2 before frame10;
// otherwise the names as given. Fails when no file is found.
FileResult depthSequenceFiles(const std::vector<std::string>& names,
                              std::vector<std::string>& files);

// What checking a sequence found.
struct SequenceProblem {
    enum Kind {
        None,
        Unreadable,   // file cannot be read: reason says why
        MixedSizes,   // file's size differs from the first file's
        TooLarge,     // the frames would be larger than a production may be
    };
    Kind kind = None;
    std::string file;
    std::string reason;
};

class DepthSequence : public FrameSource {
public:
    // width, height: the size every picture is resampled to (by the
    // production, as --depth with --size is); 0 for their own.
    DepthSequence(std::vector<std::string> files, int width, int height);

    // Reads every file once, on up to `threads` threads (0: one per core),
    // before any frame is made: the first file in order that cannot be read,
    // or (without a size to resample to) whose size differs from the first's.
    SequenceProblem check(int threads);

    int frameCount() const override { return int(files_.size()); }
    void frameSize(int& width, int& height) const override;
    FileResult depthOf(int frame, FrameDepth& holder, ProductionInput& in) const override;
    std::string inputOf(int frame) const override { return files_[size_t(frame)]; }

private:
    // A depth-mode input as large as the frames, with shape standing for a
    // depth picture of that size: for the production's size rules.
    ProductionInput sizeOnlyInput(GreyPicture& shape) const;
    std::vector<std::string> files_;
    int width_;    // the depth pictures' size once checked or asked for
    int height_;
    bool resample_;
};

}  // namespace ovek

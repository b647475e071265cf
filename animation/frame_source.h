#pragma once
// Where the depth of each frame comes from: a model turned a little more each
// frame, or one depth picture per frame.
#include <string>

#include "base/file_result.h"
#include "image/grey_picture.h"
#include "mesh/component3d.h"
#include "mesh/turn_model.h"
#include "production/production.h"

namespace ovek {

// What one frame's production reads besides the pattern, kept alive while it runs.
struct FrameDepth {
    Component3D mesh;    // the turned model
    GreyPicture depth;   // the frame's depth picture
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual int frameCount() const = 0;
    // The size of every frame, pixels.
    virtual void frameSize(int& width, int& height) const = 0;
    // Points in's depth (mode, mesh or depth picture, size) at frame's, held
    // in holder; in.settings holds the run's settings. Called for several
    // frames at once from several threads.
    virtual FileResult depthOf(int frame, FrameDepth& holder, ProductionInput& in) const = 0;
    // The input a failure of depthOf is about, for messages.
    virtual std::string inputOf(int frame) const = 0;
};

// A model turned by turnAngle(degrees, k, frames) for frame k, at width x
// height, after the settings' own turn (--rotate) as its starting orientation.
class TurnSource : public FrameSource {
public:
    TurnSource(const Component3D& model, std::string modelPath, TurnAxis axis, double degrees,
               int frames, int width, int height);

    int frameCount() const override { return frames_; }
    void frameSize(int& width, int& height) const override;
    FileResult depthOf(int frame, FrameDepth& holder, ProductionInput& in) const override;
    std::string inputOf(int) const override { return modelPath_; }

private:
    const Component3D& model_;
    std::string modelPath_;
    TurnAxis axis_;
    double degrees_;
    int frames_;
    int width_;
    int height_;
};

}  // namespace ovek

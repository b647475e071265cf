#include "animation/frame_source.h"

namespace ovek {

TurnSource::TurnSource(const Component3D& model, std::string modelPath, TurnAxis axis,
                       double degrees, int frames, int width, int height)
    : model_(model), modelPath_(std::move(modelPath)), axis_(axis), degrees_(degrees),
      frames_(frames), width_(width), height_(height)
{
}

void TurnSource::frameSize(int& width, int& height) const
{
    width = width_;
    height = height_;
}

FileResult TurnSource::depthOf(int frame, FrameDepth& holder, ProductionInput& in) const
{
    turnedCopy(model_, axis_, turnAngle(degrees_, frame, frames_), holder.mesh);
    in.modelType = MODEL_TYPE_3D;
    in.mesh = &holder.mesh;
    in.faces = nullptr;
    in.meshWidth = width_;
    in.meshHeight = height_;
    return FileResult::success();
}

}  // namespace ovek

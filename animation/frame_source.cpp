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
    // The starting orientation and the frame's turn as one rotation about the
    // model's centre, so that frame 0 is --rotate's model exactly; the mesh
    // carries it, so the production turns nothing more.
    StereogramSettings& s = in.settings;
    turnedCopy(model_,
               {{TurnAxis::X, s.rotateX},
                {TurnAxis::Y, s.rotateY},
                {TurnAxis::Z, s.rotateZ},
                {axis_, turnAngle(degrees_, frame, frames_)}},
               holder.mesh);
    s.rotateX = s.rotateY = s.rotateZ = 0;
    in.modelType = MODEL_TYPE_3D;
    in.mesh = &holder.mesh;
    in.faces = nullptr;
    in.meshWidth = width_;
    in.meshHeight = height_;
    return FileResult::success();
}

}  // namespace ovek

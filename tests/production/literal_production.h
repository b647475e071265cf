#pragma once
// Stereograms made the long way, by the engine classes exactly as designed:
// the reference the fast rows are compared with, pixel for pixel.
#include <memory>

#include "production/production.h"

class FacesModel;
namespace ovek {
class Image;
}

namespace literal {

// The whole production (both modes) through FaceViewerModel or
// DiffViewerModel over YChangedObjectModel's tables; the depth picture is
// in.depthPicture.
std::unique_ptr<ovek::Image> produce(const ovek::ProductionInput& in);

// DiffViewerModel rows of a width x height picture sampling x = -span ..
// span - 1 of a depth picture (null: flat), seeded from pattern and stamped.
std::unique_ptr<ovek::Image> depthRows(const ovek::Image* depth, const ovek::Image* pattern,
                                       int width, int height, int span);

// FaceViewerModel rows 0 .. rows - 1 of a width x viewerHeight viewer over
// getFaces(faces), the others seeded, on a picture of width x pictureHeight,
// stamped.
std::unique_ptr<ovek::Image> faceRows(const FacesModel& faces, const ovek::Image* pattern,
                                      int width, int viewerHeight, int pictureHeight);

}  // namespace literal

#pragma once
// Stereograms made the long way, by the engine classes exactly as designed:
// the reference the fast rows are compared with, pixel for pixel.
#include <memory>

#include "production/production.h"

class FacesModel;
class ObjectModel;
namespace ovek {
class Image;
}

namespace literal {

// Beyond the design: the eyes' distance apart and oversampling, composed
// from the literal classes. An oversampled row is the row of a viewer n times
// as wide, seeded with every pattern column repeated n times, whose eyes and
// x coordinates are stretched n times (the depth field sampled at x / (2.3 n)
// along x), each n columns then averaged to the nearest integer.
struct Eyes {
    double eyeDis = 100;  // half the distance between the eyes
    int oversample = 1;   // an even width keeps the seed aligned with the fast rows'
};

// The whole production (both modes) through FaceViewerModel or
// DiffViewerModel over YChangedObjectModel's tables. The depth picture is
// in.depthPicture, or in.depthGrey (8 or 16 bits) when set; of the settings,
// the eye separation, oversampling, depth scale, invert and mark count.
std::unique_ptr<ovek::Image> produce(const ovek::ProductionInput& in);

// DiffViewerModel rows as depthRows below, over any depth field.
std::unique_ptr<ovek::Image> fieldRows(const ObjectModel& field, const ovek::Image* pattern,
                                       int width, int height, int span, const Eyes& eyes,
                                       bool mark = true);

// DiffViewerModel rows of a width x height picture sampling x = -span ..
// span - 1 of a depth picture (null: flat), seeded from pattern and stamped.
std::unique_ptr<ovek::Image> depthRows(const ovek::Image* depth, const ovek::Image* pattern,
                                       int width, int height, int span);

// FaceViewerModel rows 0 .. rows - 1 of a width x viewerHeight viewer over
// getFaces(faces), the others seeded, on a picture of width x pictureHeight,
// stamped.
std::unique_ptr<ovek::Image> faceRows(const FacesModel& faces, const ovek::Image* pattern,
                                      int width, int viewerHeight, int pictureHeight,
                                      const Eyes& eyes = Eyes(), bool mark = true);

}  // namespace literal

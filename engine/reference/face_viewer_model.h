#pragma once
// Stereogram rows from a triangle list. Per row it finds, for every picture
// column, the nearest surface point behind it seen by the right eye and by the
// left eye, then copies colours outwards from the middle column: rightwards
// from each point's left-eye partner, leftwards from its right-eye partner.
#include <vector>

#include "engine/viewer_model.h"

class FacesModel;

class FaceViewerModel : public ViewerModel {
public:
    std::vector<double> depthRight;   // per picture column: nearest height seen by the right eye, -1 none
    std::vector<double> sourceRight;  // per picture column: x of that surface point
    std::vector<double> depthLeft;    // the same for the left eye
    std::vector<double> sourceLeft;   // x of the left eye's surface point
    int sizeLeft = -1;                // entries the left arrays hold; -1 before the first row
    int sizeRight = -1;               // entries the right arrays hold; -1 before the first row

    FaceViewerModel() = default;

    using ViewerModel::produce;
    // Computes picture row row + height/2 from the triangles (null: none).
    // start and end are not used. init must have been called.
    virtual void produce(int start, int end, int row, const FacesModel* faces);
    void initImageX(int row, int start, int end, const FacesModel* faces);

private:
    void rightEyePass(int row, const FacesModel& faces);
    void leftEyePass(int row, const FacesModel& faces);
};

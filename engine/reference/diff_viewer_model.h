#pragma once
// Stereogram rows from layered depth fields sampled at whole-number x. Only the
// right eye's view is searched; colours then run left to right across the row,
// each column taking the colour where the left eye sees the same point.
#include <vector>

#include "engine/viewer_model.h"

class DiffViewerModel : public ViewerModel {
public:
    std::vector<double> depth;   // per picture column: nearest height seen by the right eye, -1 none
    std::vector<double> source;  // per picture column: x of that surface point
    int size = -1;               // entries the arrays hold; -1 before the first row

    DiffViewerModel() = default;

    using ViewerModel::produce;
    // Computes picture row row + height/2, sampling x = start .. end - 1 of the
    // first layer only; count is not otherwise consulted. With no layer
    // (count < 1, or a null list or layer) the row keeps its colours.
    virtual void produce(int start, int end, int row, ObjectModel* const* layers, int count);
    void initImageX(int row, int start, int end, ObjectModel* const* layers, int count);
};

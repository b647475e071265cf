#pragma once
// A coordinate scaler: the wrapped field sampled at (x / scaleX, y / scaleY).
// The height itself is not scaled.
#include <memory>

#include "engine/object_model.h"

class SizeObjectModel : public ObjectModel {
public:
    const ObjectModel* model = nullptr;  // the wrapped field; not owned unless kept below
    double scaleX = 1.0;                 // picture units per field unit along x
    double scaleY = 1.0;                 // along y
    std::unique_ptr<ObjectModel> kept;   // set only by the owning constructor; == model

    SizeObjectModel(const ObjectModel* wrapped, double sx, double sy);
    // The same scaler, keeping the wrapped field alive as long as itself.
    SizeObjectModel(std::unique_ptr<ObjectModel> wrapped, double sx, double sy);

    double height(double x, double y) const override;
};

#pragma once
// Random-dot patterns made on the spot, so that a stereogram needs no pattern
// picture. The dots depend only on the settings' seed and the pixel's place,
// never on the machine or the run.
#include <memory>

#include "production/stereogram_settings.h"

namespace ovek {

class Image;

// A width x height tile of settings.pattern's kind (Dots, GreyDots or
// ColourDots); null for PatternSource::Picture or an empty size.
std::unique_ptr<Image> dotPattern(const StereogramSettings& settings, int width, int height);

}  // namespace ovek

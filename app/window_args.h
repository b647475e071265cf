#pragma once
// "pexolen [OPTIONS] [FILE...]": the window opened with the settings, size,
// pattern and files of its arguments. Read by the command line before the
// window opens, handed to the window module as this record.
#include <string>
#include <vector>

#include "production/stereogram_settings.h"

namespace ovek {

struct WindowArgs {
    StereogramSettings settings;       // the settings options, as produce reads them
    bool sizeGiven = false;            // --size or --print was given
    int width = 0;                     // ... and gave this size, pixels
    int height = 0;
    std::string pattern;               // --pattern with a picture: for the pattern tab;
                                       // "none": no pattern; empty: the demo pattern
    std::vector<std::string> files;    // models and depth pictures, in the order given
};

}  // namespace ovek

#pragma once
// The names files are saved under, from the name typed in a save dialog.
// Every name these give opens again in the program as what was saved.
#include <string>

#include "image/picture_writer.h"

namespace ovek {

struct PictureSaveName {
    std::string path;                           // the file written
    PictureFormat format = PictureFormat::BMP;  // what it holds
};

// A picture (a result or a depth picture): the format its ending names
// (.bmp, .png, .jpg, .jpeg, .ppm, .pnm, any letter case) with the name as
// typed; any other name is a BMP with ".bmp" added.
PictureSaveName pictureSaveName(const std::string& chosen);

// A mesh: a name ending in a model ending the program writes (.om, .obj,
// .stl, .ply, any letter case) stays; any other gets ".om", the program's own
// file, added.
std::string modelSaveName(const std::string& chosen);

}  // namespace ovek

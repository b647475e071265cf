#pragma once
// The note after the window's title: what was last opened or saved (the
// file's own name and its size) or could not be, in the user's language.
#include <string>

class Component3D;

namespace ovek {

class Image;

enum class FileDeed { Opened, Saved };

// "Opened NAME (W x H)", "Saved NAME (W x H)" for a picture of width x height.
std::string pictureNote(FileDeed deed, const std::string& path, int width, int height);
// "Opened NAME (P points, F faces)", "Saved ...".
std::string meshNote(FileDeed deed, const std::string& path, const Component3D& mesh);
// "Cannot open NAME", "Cannot save NAME": the reason is in the message box.
std::string failureNote(FileDeed deed, const std::string& path);

}  // namespace ovek

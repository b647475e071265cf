#pragma once
// The interface's pictures (tab, button, toolbar and background pictures, the
// demo pattern), read one way for the screens and the editor alike.
#include <memory>
#include <string>

#include "image/image.h"
#include "toolkit/platform.h"

namespace ovek {

// The picture at path, painting onto platform's back buffer. A missing or
// unreadable one gives null (nothing is drawn) and one line on standard error
// naming it.
std::unique_ptr<Image> loadPicture(const std::string& path, Platform& platform = MYPLAT);

}  // namespace ovek

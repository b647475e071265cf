#pragma once
// Whether a key is held down right now. There is one source for the whole
// program: the platform installs itself when it binds to a window system, and
// the mesh, the editor and the toolkit all ask here.

namespace ovek {

class KeyStateSource {
public:
    virtual ~KeyStateSource() = default;
    // Whether the key (a Windows virtual-key code) is held.
    virtual bool keyHeld(int virtualKey) = 0;
};

// Installs the source; null removes it. Not owned.
void setKeyStateSource(KeyStateSource* source);
KeyStateSource* keyStateSource();
// The installed source's answer, or false while none is installed.
bool isKeyDown(int virtualKey);

}  // namespace ovek

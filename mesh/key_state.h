#pragma once
// Whether a key is held down right now, as the platform reports it. The mesh
// asks for the Control key while it updates; the platform installs the query.

namespace ovek {

// Windows virtual-key codes are the program's key codes.
constexpr int VK_CONTROL_KEY = 0x11;

using KeyStateQuery = bool (*)(int virtualKey);

// Installs the platform's query; null removes it.
void setKeyStateQuery(KeyStateQuery q);
// The installed query's answer, or false while none is installed.
bool isKeyDown(int virtualKey);

}  // namespace ovek

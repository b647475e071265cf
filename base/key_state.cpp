#include "base/key_state.h"

namespace ovek {

namespace {
KeyStateSource* current = nullptr;
}  // namespace

void setKeyStateSource(KeyStateSource* source)
{
    current = source;
}

KeyStateSource* keyStateSource()
{
    return current;
}

bool isKeyDown(int virtualKey)
{
    return current && current->keyHeld(virtualKey);
}

}  // namespace ovek

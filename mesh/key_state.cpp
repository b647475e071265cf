#include "mesh/key_state.h"

namespace ovek {

namespace {
KeyStateQuery query = nullptr;
}  // namespace

void setKeyStateQuery(KeyStateQuery q)
{
    query = q;
}

bool isKeyDown(int virtualKey)
{
    return query && query(virtualKey);
}

}  // namespace ovek

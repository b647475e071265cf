#include "app/cli.h"

namespace ovek {

int runInfo(const Args&)
{
    return usageError("info is not available yet");
}

}  // namespace ovek

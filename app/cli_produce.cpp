#include "app/cli.h"

namespace ovek {

int runProduce(const Args&)
{
    return usageError("produce is not available yet");
}

}  // namespace ovek

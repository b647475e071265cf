#include "app/cli.h"
#include "app/window_start.h"
#include "base/atomic_file.h"

int main(int argc, char** argv)
{
    if (argc <= 1)
        return ovek::startWindow();
    // Ctrl-C while a result is being written leaves no temporary file behind.
    ovek::removeTemporaryFileOnSignal();
    return ovek::runCommandLine(ovek::Args(argv + 1, argv + argc));
}

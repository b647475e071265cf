#include "app/cli.h"
#include "app/cli_options.h"
#include "app/window_options.h"
#include "app/window_start.h"
#include "base/atomic_file.h"

int main(int argc, char** argv)
{
    const ovek::Args args(argv + 1, argv + argc);
    if (args.empty())
        return ovek::startWindow(nullptr);
    if (ovek::opensWindow(args)) {
        // Mistakes are told here, before any window opens.
        ovek::WindowArgs given;
        if (int status = ovek::parseWindowArgs(args, given); status != ovek::kContinue)
            return status;
        return ovek::startWindow(&given);
    }
    // Ctrl-C while a result is being written leaves no temporary file behind.
    ovek::removeTemporaryFileOnSignal();
    return ovek::runCommandLine(args);
}

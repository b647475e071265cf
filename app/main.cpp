#include "app/cli.h"
#include "app/window_start.h"

int main(int argc, char** argv)
{
    if (argc <= 1)
        return ovek::startWindow();
    return ovek::runCommandLine(ovek::Args(argv + 1, argv + argc));
}

#include "app/cli.h"

int main(int argc, char** argv)
{
    return ovek::runCommandLine(ovek::Args(argv + 1, argv + argc));
}

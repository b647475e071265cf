#include "app/window_start.h"

#include <cstdio>

#include "app/screens.h"
#include "platform/window_main.h"

namespace ovek {

int startWindow()
{
    if (!openDisplay()) {
        std::fprintf(stderr,
                     "pexolen: the window needs a display (DISPLAY is unset or unreachable); "
                     "make a stereogram on the command line instead: pexolen produce -o "
                     "stereogram.bmp (pexolen --help for more)\n");
        return 1;
    }
    return runWindow(kMainTitle, init);
}

}  // namespace ovek

#include "app/window_module.h"

#include <cstdio>

#include "app/screens.h"
#include "fltk/window_main.h"

extern "C" int pexolen_start_window()
{
    if (!ovek::openDisplay()) {
        std::fprintf(stderr,
                     "pexolen: the window needs a display (DISPLAY is unset or unreachable); "
                     "make a stereogram on the command line instead: pexolen produce -o "
                     "stereogram.bmp (pexolen --help for more)\n");
        return 1;
    }
    return ovek::runWindow(ovek::kMainTitle, ovek::init);
}

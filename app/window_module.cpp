#include "app/window_module.h"

#include <cstdio>

#include "app/data_files.h"
#include "app/screens.h"
#include "base/translation.h"
#include "fltk/window_main.h"

extern "C" int pexolen_start_window(const ovek::WindowArgs* args)
{
    if (!ovek::openDisplay()) {
        std::fprintf(stderr,
                     "pexolen: the window needs a display (DISPLAY is unset or unreachable); "
                     "make a stereogram on the command line instead: pexolen produce -o "
                     "stereogram.bmp (pexolen --help for more)\n");
        return 1;
    }
    ovek::startTranslation(ovek::catalogueFolder());
    const std::string title = ovek::mainTitle();
    ovek::WindowLook look;
    look.title = title.c_str();
    look.iconPath = ovek::findDataFile("ui/icon.png");
    const int status = ovek::runWindow(look, [args] {
        ovek::init();
        if (args)
            ovek::openStartArguments(*args);
    });
    ovek::shutDown();   // after the window: nothing is left for the leak check
    return status;
}

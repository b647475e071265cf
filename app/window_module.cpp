#include "app/window_module.h"

#include <cstdio>

#include "app/data_files.h"
#include "app/screens.h"
#include "base/translation.h"
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
    ovek::startTranslation(ovek::catalogueFolder());
    return ovek::runWindow(ovek::mainTitle().c_str(), ovek::init);
}

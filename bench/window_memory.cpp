// Peak memory of the window holding a large depth picture and its result:
// the screens built headless (no window system), the picture opened on the
// model tab and shown, produced, and the result shown on the image tab.
// Prints the peak resident size; bench/window_memory.sh runs it.
#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/screens.h"
#include "scene3d/pane_renderer.h"
#include "tests/app/fake_screens.h"
#include "toolkit/platform.h"

namespace {


long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;   // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_memory DEPTH-PICTURE\n");
        return 2;
    }
    using namespace ovek;
    NoPaneRenderer renderer;
    MYPLAT.init(nullptr, 1280, 900);
    long peak = 0;
    {
        Screens screens(MYPLAT, renderer);
        std::printf("screens built:      %5ld MB\n", peakMegabytes());
        screens.setState(MAIN_STATE_MODEL);
        if (FileResult r = screens.openOnModelTab(argv[1]); !r) {
            std::fprintf(stderr, "cannot open %s: %s\n", argv[1], r.error.c_str());
            return 1;
        }
        MYPLAT.repaint();
        MYPLAT.flush();
        std::printf("depth picture shown: %5ld MB\n", peakMegabytes());
        screens.produceImageButtonClicked();
        MYPLAT.repaint();
        MYPLAT.flush();
        const Image* result = screens.imagePane.getImage();
        if (!result) {
            std::fprintf(stderr, "no result\n");
            return 1;
        }
        peak = peakMegabytes();
        std::printf("result %d x %d shown: %5ld MB\n", result->getWidth(), result->getHeight(),
                    peak);
    }
    MYPLAT.reset();
    std::printf("peak resident size: %ld MB\n", peak);
    return 0;
}

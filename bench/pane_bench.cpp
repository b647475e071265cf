// The window's drawing costs with Mesa's software OpenGL: one frame of the 3D
// pane with the demo mesh, the largest corpus model and a generated 200k-face
// mesh, unchanged and during a drag that turns them, one tick that
// repaints (back buffer, copy to the window, pane), one idle tick with nothing
// to draw, and the time from starting
// pexolen to its first frame on the screen. Needs a display; for figures
// comparable with the tests, a virtual one:
//   tests/fltk/with_xvfb.sh build/release/bench/pane_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "editor/pane3d.h"
#include "gl/gl_pane_renderer.h"
#include "image/image.h"
#include "mesh/model_open.h"
#include "fltk/fltk_window_system.h"
#include "fltk/window_main.h"
#include "toolkit/window_procedure.h"

// Last: X11 defines macros (None, Status) that clash with names above.
#include <FL/x.H>

#include "bench/bench_meshes.h"
#include "tests/fltk/x_screen.h"

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds";
using benchmesh::kLargest;
using benchmesh::makeSheet;

// The start-up window: 866 x 591, the pane 866 x 516 at (0, 38) showing model.
class PaneWindow {
public:
    explicit PaneWindow(const std::string& model)
        : PaneWindow([&](Component3D& m) { return bool(ovek::openModelFile(model, &m)); })
    {
    }
    explicit PaneWindow(const std::function<bool(Component3D&)>& makeMesh)
    {
        windows = std::make_unique<ovek::FltkWindowSystem>(ovek::MYPLAT, "pane bench", 866, 591);
        ovek::MYPLAT.init(windows.get(), 866, 591);
        pane.reset(ovek::createPane3D(0, 38, 866, 516, renderer));
        ok = pane && makeMesh(mesh);
        if (!ok)
            return;
        mesh.setEmissionColor(1, 0, 0);
        scene.addEvent(&mesh);
        pane->addSence(&scene);
        ovek::MYPLAT.getRootComponent()->add(pane.get());
        ovek::refreshTimeOut = true;
        for (int i = 0; i < 5; ++i)   // mapped, exposed, first frames drawn
            windows->tick();
    }
    ~PaneWindow()
    {
        ovek::refreshTimeOut = false;
        windows.reset();
        XSync(fl_display, False);   // gone from the screen before the next benchmark
    }

    std::unique_ptr<ovek::FltkWindowSystem> windows;
    Sence3D scene;
    Component3D mesh;
    ovek::GlPaneRenderer renderer;
    std::unique_ptr<ovek::Pane3D> pane;
    bool ok = false;
};



// One frame of an unchanged mesh, or (drag) of a mesh turned a little since
// the last one, as a drag in view mode turns the whole model.
void paneFrame(benchmark::State& state, PaneWindow& w, bool drag)
{
    if (!w.ok)
        return state.SkipWithError("cannot show the model");
    for (auto _ : state) {
        if (drag)
            w.mesh.rotateY(0.01);
        w.pane->paint(nullptr);
        XSync(fl_display, False);   // the frame is on the screen
    }
    state.counters["faces"] = double(w.mesh.faces.size());
}

void paneFrame(benchmark::State& state, const std::string& model)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(model);
    paneFrame(state, w, false);
}

void BM_PaneFrameDemo(benchmark::State& state)
{
    paneFrame(state, kDemo);
}
BENCHMARK(BM_PaneFrameDemo)->Unit(benchmark::kMillisecond);

void BM_PaneFrameLargestCorpusModel(benchmark::State& state)
{
    paneFrame(state, kLargest);
}
BENCHMARK(BM_PaneFrameLargestCorpusModel)->Unit(benchmark::kMillisecond);

void BM_PaneDragStepLargestCorpusModel(benchmark::State& state)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(kLargest);
    paneFrame(state, w, true);
}
BENCHMARK(BM_PaneDragStepLargestCorpusModel)->Unit(benchmark::kMillisecond);

void BM_PaneFrame200kFaces(benchmark::State& state)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(makeSheet);
    paneFrame(state, w, false);
}
BENCHMARK(BM_PaneFrame200kFaces)->Unit(benchmark::kMillisecond);

void BM_PaneDragStep200kFaces(benchmark::State& state)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(makeSheet);
    paneFrame(state, w, true);
}
BENCHMARK(BM_PaneDragStep200kFaces)->Unit(benchmark::kMillisecond);

// A tick after something asked for a repaint: back buffer, copy, pane.
void BM_RepaintTickDemo(benchmark::State& state)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(kDemo);
    if (!w.ok)
        return state.SkipWithError("cannot show the demo mesh");
    for (auto _ : state) {
        ovek::MYPLAT.repaint();
        w.windows->tick();
        XSync(fl_display, False);
    }
}
BENCHMARK(BM_RepaintTickDemo)->Unit(benchmark::kMillisecond);

// A tick with nothing changed: what the idle window pays 20 times a second.
void BM_IdleTickDemo(benchmark::State& state)
{
    if (!ovek::openDisplay())
        return state.SkipWithError("no display");
    PaneWindow w(kDemo);
    if (!w.ok)
        return state.SkipWithError("cannot show the demo mesh");
    for (auto _ : state) {
        w.windows->tick();
        XSync(fl_display, False);
    }
}
BENCHMARK(BM_IdleTickDemo)->Unit(benchmark::kMicrosecond);

// From fork to the first screen (the demo pattern, drawn from the window's
// top-left corner), then closed as the user closes it.
void BM_StartToFirstFrame(benchmark::State& state)
{
    ovek::Image pattern(nullptr, 1, 1);
    if (!pattern.loadImage(std::string(PEXOLEN_SOURCE_DIR) + "/demo/pattern.bmp"))
        return state.SkipWithError("no demo pattern");
    const int x = pattern.getWidth() / 2, y = pattern.getHeight() / 2;
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return state.SkipWithError("no display");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execl(PEXOLEN_BIN, PEXOLEN_BIN, static_cast<char*>(nullptr));
            _exit(127);
        }
        const Window w =
            xscreen::waitForPixel(d, "Pexolen", x, y, uint32_t(pattern.getColor(x, y)), 60);
        state.SetIterationTime(xscreen::secondsSince(start));
        if (w)
            xscreen::askToClose(d, w);
        if (xscreen::waitForExit(pid, w ? 30 : 0) != 0 || !w)
            state.SkipWithError("pexolen showed no frame or did not close");
    }
    XCloseDisplay(d);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

// The live stereogram's latency, from a change of the inputs to a picture
// ready to show: the request (copying the inputs), the background production
// on two workers, the hand-over, and the picture's conversion for the screen.
//   BM_LiveDragStep: the demo mesh at 866 x 554, turned a little each step as
//     a drag in the editor turns it (goal: under 50 ms).
//   BM_LiveSettingsChange: a 1920 x 1080 stereogram from a depth picture, the
//     eye separation changed each step; picture 0 is a 1920 x 1080 depth
//     picture, 1 the demo depth picture resampled to that size (goal: under
//     250 ms).
//   BM_LiveStaleBurst: five requests in a row, as fast dragging makes them,
//     and the newest's result: the stale runs must cost little.
// Each case also counts cpu_ms: the whole process's processor time per step,
// every thread included. On a machine shared with other work the real time
// grows with the load; cpu_ms does not, and bounds the latency of an idle
// machine from above (the steps never wait on anything but the processor).
// Run from a Release build: build/release/bench/live_bench
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "image/image.h"
#include "mesh/component3d.h"
#include "mesh/model_open.h"
#include "production/live_production.h"

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

std::unique_ptr<ovek::Image> demoPicture(const char* name)
{
    auto img = std::make_unique<ovek::Image>(nullptr, 1, 1);
    if (!img->loadImage(kDemo + name))
        return nullptr;
    return img;
}

// Soft hills over the whole picture, 0 .. 255.
std::unique_ptr<ovek::Image> hills(int w, int h)
{
    auto img = std::make_unique<ovek::Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = int(127.5 + 127.5 * std::sin(x * 0.013) * std::cos(y * 0.017));
            img->setColor(x, y, v, v, v);
        }
    return img;
}

double processCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

// Processor time per step over the state's loop, from its start.
class CpuPerStep {
public:
    explicit CpuPerStep(benchmark::State& state) : state_(state), start_(processCpuMs()) {}
    ~CpuPerStep()
    {
        if (state_.iterations() > 0)
            state_.counters["cpu_ms"] = (processCpuMs() - start_) / double(state_.iterations());
    }

private:
    benchmark::State& state_;
    double start_;
};

// What the screens do with a result before it is drawn.
void readyToShow(benchmark::State& state, ovek::LiveProduction& live)
{
    live.waitIdle();
    ovek::LiveProduction::Result r = live.take();
    if (!r.image) {
        state.SkipWithError("no result");
        return;
    }
    r.image->refresh();
    benchmark::DoNotOptimize(r.image->memDC->pixels.data());
}

// Model 0: the demo mesh; 1: the largest corpus model (about 49,000 faces).
// request_ms: the part the main thread waits for (copying the inputs).
void BM_LiveDragStep(benchmark::State& state)
{
    Component3D mesh;
    const auto pattern = demoPicture("pattern.bmp");
    const std::string model = state.range(0) == 0
                                  ? kDemo + "demo.3ds"
                                  : kDemo + "../../shared/corpus/3ds/NITRO_ENGINE.3ds";
    if (!ovek::openModelFile(model, &mesh) || !pattern) {
        state.SkipWithError("model or pattern missing");
        return;
    }
    ovek::LiveProduction live(2);
    ovek::ProductionInput in;
    in.mesh = &mesh;
    in.pattern = pattern.get();
    in.meshWidth = 866;
    in.meshHeight = 554;
    double requestMs = 0;
    CpuPerStep cpu(state);
    for (auto _ : state) {
        mesh.rotateY(0.05);   // one drag record: 1 pixel of a 20-pixel-per-radian turn
        mesh.update();
        const auto start = std::chrono::steady_clock::now();
        live.request(in);
        requestMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                               start).count();
        readyToShow(state, live);
    }
    state.counters["request_ms"] = requestMs / double(std::max<int64_t>(1, state.iterations()));
    state.counters["faces"] = double(mesh.faces.size());
}
BENCHMARK(BM_LiveDragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LiveSettingsChange(benchmark::State& state)
{
    const auto pattern = demoPicture("pattern.bmp");
    const auto depth = state.range(0) == 0 ? hills(1920, 1080) : demoPicture("depth.bmp");
    if (!pattern || !depth) {
        state.SkipWithError("demo files missing");
        return;
    }
    ovek::LiveProduction live(2);
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthPicture = depth.get();
    in.pattern = pattern.get();
    in.depthWidth = 1920;
    in.depthHeight = 1080;
    int step = 0;
    CpuPerStep cpu(state);
    for (auto _ : state) {
        in.settings.eyeSeparation = 180 + (step++ % 40);
        live.request(in);
        readyToShow(state, live);
    }
}
BENCHMARK(BM_LiveSettingsChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LiveStaleBurst(benchmark::State& state)
{
    Component3D mesh;
    const auto pattern = demoPicture("pattern.bmp");
    if (!ovek::openModelFile(kDemo + "demo.3ds", &mesh) || !pattern) {
        state.SkipWithError("demo files missing");
        return;
    }
    ovek::LiveProduction live(2);
    ovek::ProductionInput in;
    in.mesh = &mesh;
    in.pattern = pattern.get();
    CpuPerStep cpu(state);
    for (auto _ : state) {
        for (int i = 0; i < 5; ++i) {
            mesh.rotateY(0.05);
            mesh.update();
            live.request(in);
        }
        readyToShow(state, live);
    }
}
BENCHMARK(BM_LiveStaleBurst)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

// Whole production runs, rows handed to a sink that drops them (as the command
// line's BMP writer would take them): depth mode at three sizes and, at
// 4000 x 3000, on a smooth and on a noisy map; mesh mode with the demo mesh
// and with a generated mesh of about 200,000 triangles; each with 1 and 2
// threads. Each case reports the process's peak memory so far, so run one
// case per process for a clean figure:
//   build/release/bench/production_bench --benchmark_filter='Depth/w:4000/h:3000/map:1/threads:2'
// (map 0: the demo depth picture stretched, 1: smooth, 2: noisy).
// bench/compare_netpbm.sh times the command line end to end instead.
// Settings: BM_DepthOversample times 1920 x 1080 from the demo depth picture
// at oversampling 1 and 4 (both cores); BM_DotPattern times the generated
// random-dot tile of an 800 x 600 production alone, beside BM_Depth's
// 800 x 600 runs (map 0) for its share.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <memory>
#include <random>

#include "engine/triangle_model.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "image/row_sink.h"
#include "mesh/model_open.h"
#include "production/dot_pattern.h"
#include "production/production.h"

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

ovek::Image& pattern()
{
    static ovek::Image img(nullptr, 1, 1);
    static const bool loaded = bool(img.loadImage(kDemo + "pattern.bmp"));
    (void)loaded;
    return img;
}

class DroppedRows : public ovek::RowSink {
public:
    bool putRows(int, int count, const uint8_t* first, std::ptrdiff_t) override
    {
        benchmark::DoNotOptimize(first);
        rows += count;
        return true;
    }
    long long rows = 0;
};

enum Map { kDemoMap, kSmooth, kNoisy };

// The demo depth picture stretched to the requested size; a smooth map (a
// coarse random grid, one point every 100 pixels, interpolated); or a noisy
// one (every pixel random).
ovek::GreyPicture depthMap(int w, int h, int map)
{
    ovek::GreyPicture g;
    g.width = w;
    g.height = h;
    g.values.resize(size_t(w) * size_t(h));
    std::mt19937 rng(7);
    if (map == kNoisy) {
        for (uint8_t& v : g.values)
            v = uint8_t(rng());
        return g;
    }
    if (map == kSmooth) {
        const int gw = w / 100 + 2, gh = h / 100 + 2;
        std::vector<double> grid(size_t(gw) * size_t(gh));
        for (double& v : grid)
            v = double(rng() % 256);
        auto at = [&](int i, int j) { return grid[size_t(j) * size_t(gw) + size_t(i)]; };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double u = x / 100.0, v = y / 100.0, fu = u - int(u), fv = v - int(v);
                const int i = int(u), j = int(v);
                const double top = at(i, j) * (1 - fu) + at(i + 1, j) * fu;
                const double bottom = at(i, j + 1) * (1 - fu) + at(i + 1, j + 1) * fu;
                g.values[size_t(y) * size_t(w) + size_t(x)] = uint8_t(top * (1 - fv) + bottom * fv);
            }
        return g;
    }
    ovek::Image source(nullptr, 1, 1);
    (void)source.loadImage(kDemo + "depth.bmp");
    const ovek::GreyPicture demo = ovek::greyOf(source);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            g.values[size_t(y) * size_t(w) + size_t(x)] =
                demo.at(x * demo.width / w, y * demo.height / h);
    return g;
}

// Arguments: width, height, map, threads.
void BM_Depth(benchmark::State& state)
{
    const ovek::GreyPicture depth =
        depthMap(int(state.range(0)), int(state.range(1)), int(state.range(2)));
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.pattern = &pattern();
    in.depthGrey = &depth;
    in.threads = int(state.range(3));
    for (auto _ : state) {
        DroppedRows rows;
        ovek::produceStereogramRows(in, rows);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_Depth)
    ->ArgNames({"w", "h", "map", "threads"})
    ->Args({640, 480, kDemoMap, 1})->Args({640, 480, kDemoMap, 2})
    ->Args({800, 600, kDemoMap, 1})
    ->Args({2000, 1500, kDemoMap, 1})->Args({2000, 1500, kDemoMap, 2})
    ->Args({4000, 3000, kSmooth, 1})->Args({4000, 3000, kSmooth, 2})
    ->Args({4000, 3000, kNoisy, 1})->Args({4000, 3000, kNoisy, 2})
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// Arguments: oversampling, threads.
void BM_DepthOversample(benchmark::State& state)
{
    const ovek::GreyPicture depth = depthMap(1920, 1080, kDemoMap);
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.pattern = &pattern();
    in.depthGrey = &depth;
    in.settings.oversample = int(state.range(0));
    in.threads = int(state.range(1));
    for (auto _ : state) {
        DroppedRows rows;
        ovek::produceStereogramRows(in, rows);
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_DepthOversample)
    ->ArgNames({"oversample", "threads"})
    ->Args({1, 2})->Args({4, 2})
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The tile of an 800 x 600 depth production: 135 x 600 dots.
void BM_DotPattern(benchmark::State& state)
{
    ovek::StereogramSettings s;
    s.pattern = ovek::PatternSource(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(ovek::dotPattern(s, 135, 600));
}
BENCHMARK(BM_DotPattern)->ArgName("kind")->Arg(int(ovek::PatternSource::Dots))
    ->Arg(int(ovek::PatternSource::ColourDots))->Unit(benchmark::kMillisecond);

// An 800 x 600 production with generated dots instead of the pattern picture.
void BM_DepthDots(benchmark::State& state)
{
    const ovek::GreyPicture depth = depthMap(800, 600, kDemoMap);
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.depthGrey = &depth;
    in.settings.pattern = ovek::PatternSource::Dots;
    in.threads = int(state.range(0));
    for (auto _ : state) {
        DroppedRows rows;
        ovek::produceStereogramRows(in, rows);
    }
}
BENCHMARK(BM_DepthDots)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

void runMesh(benchmark::State& state, const Component3D& mesh)
{
    FacesModel faces;
    ovek::ProductionInput in;
    in.pattern = &pattern();
    in.mesh = &mesh;
    in.faces = &faces;
    in.meshWidth = 866;
    in.meshHeight = 554;
    in.threads = int(state.range(0));
    for (auto _ : state) {
        DroppedRows rows;
        ovek::produceStereogramRows(in, rows);
    }
    state.counters["triangles"] = double(mesh.faces.size());
    state.counters["peak_MB"] = peakMegabytes();
}

// A height field of 317 x 317 points: 199,712 triangles of rolling hills.
void hills(Component3D& mesh)
{
    const int n = 317;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const double x = -1 + 2.0 * i / (n - 1), y = -1 + 2.0 * j / (n - 1);
            mesh.addPoint(new Point3D(x, y, 0.5 * std::sin(6 * x) * std::cos(5 * y)));
        }
    auto at = [&](int i, int j) { return mesh.points[size_t(j * n + i)].get(); };
    for (int j = 0; j + 1 < n; ++j)
        for (int i = 0; i + 1 < n; ++i) {
            mesh.faces.push_back(std::make_unique<Triangle3D>(at(i, j), at(i + 1, j), at(i, j + 1)));
            mesh.faces.push_back(
                std::make_unique<Triangle3D>(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)));
        }
}

void BM_MeshDemo(benchmark::State& state)
{
    Component3D mesh;
    if (!ovek::openModelFile(kDemo + "demo.3ds", &mesh))
        state.SkipWithError("cannot read demo/demo.3ds");
    runMesh(state, mesh);
}
BENCHMARK(BM_MeshDemo)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

void BM_MeshHills(benchmark::State& state)
{
    Component3D mesh;
    hills(mesh);
    runMesh(state, mesh);
}
BENCHMARK(BM_MeshHills)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
    ->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace

// Whole production runs: depth mode at three sizes, mesh mode with the demo
// mesh and with a generated mesh of about 200,000 triangles. Each reports the
// process's peak memory so far (run one filter per process for a clean figure):
//   build/release/bench/production_bench --benchmark_filter=Depth/4000
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <memory>

#include "engine/triangle_model.h"
#include "production/production.h"
#include "image/image.h"
#include "mesh/model_open.h"

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

// The demo depth picture stretched to the requested size.
std::unique_ptr<ovek::Image> depthPicture(int w, int h)
{
    ovek::Image source(nullptr, 1, 1);
    (void)source.loadImage(kDemo + "depth.bmp");
    auto img = std::make_unique<ovek::Image>(nullptr, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = source.getColor(x * source.getWidth() / w, y * source.getHeight() / h);
            img->setColor(x, y, c & 255, (c >> 8) & 255, c >> 16);
        }
    return img;
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

void BM_Depth(benchmark::State& state)
{
    const auto depth = depthPicture(int(state.range(0)), int(state.range(1)));
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.pattern = &pattern();
    in.depthPicture = depth.get();
    for (auto _ : state)
        benchmark::DoNotOptimize(ovek::produceStereogram(in));
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_Depth)->Args({640, 480})->Args({2000, 1500})->Args({4000, 3000})
    ->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

void runMesh(benchmark::State& state, const Component3D& mesh)
{
    FacesModel faces;
    ovek::ProductionInput in;
    in.pattern = &pattern();
    in.mesh = &mesh;
    in.faces = &faces;
    in.meshWidth = 866;
    in.meshHeight = 554;
    for (auto _ : state)
        benchmark::DoNotOptimize(ovek::produceStereogram(in));
    state.counters["triangles"] = double(mesh.faces.size());
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_MeshDemo(benchmark::State& state)
{
    Component3D mesh;
    if (!ovek::openModelFile(kDemo + "demo.3ds", &mesh))
        state.SkipWithError("cannot read demo/demo.3ds");
    runMesh(state, mesh);
}
BENCHMARK(BM_MeshDemo)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_MeshHills(benchmark::State& state)
{
    Component3D mesh;
    hills(mesh);
    runMesh(state, mesh);
}
BENCHMARK(BM_MeshHills)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

// Opening models: the 49k-face corpus model through the 3DS reader and, written
// as OBJ and binary STL by the program, through the model library in its
// child process; and the child's own cost, the same read with and without it,
// for a small and a large file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "mesh/contained_read.h"
#include "mesh/library_reader.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"

namespace {

const std::string kCorpusModel =
    std::string(PEXOLEN_SOURCE_DIR) + "/../shared/corpus/3ds/NITRO_ENGINE.3ds";
const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/demo.3ds";

// The corpus model (or the demo's, for "small") written once as name.
std::string written(const std::string& source, const std::string& name)
{
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    if (!std::filesystem::exists(path)) {
        Component3D mesh;
        if (!ovek::openModelFile(source, &mesh) || !ovek::saveModelFile(path, mesh))
            return "";
    }
    return path;
}

void open(benchmark::State& state, const std::string& path)
{
    if (path.empty() || !std::filesystem::exists(path)) {
        state.SkipWithError("no corpus model");
        return;
    }
    for (auto _ : state) {
        Component3D mesh;
        if (!ovek::openModelFile(path, &mesh))
            state.SkipWithError("cannot open the model");
        benchmark::DoNotOptimize(mesh.faces.size());
    }
}

void BM_Open3DS(benchmark::State& state)
{
    open(state, kCorpusModel);
}
BENCHMARK(BM_Open3DS)->Unit(benchmark::kMillisecond);

void BM_OpenOBJ(benchmark::State& state)
{
    open(state, written(kCorpusModel, "pexolen-bench-nitro.obj"));
}
BENCHMARK(BM_OpenOBJ)->Unit(benchmark::kMillisecond);

void BM_OpenSTL(benchmark::State& state)
{
    open(state, written(kCorpusModel, "pexolen-bench-nitro.stl"));
}
BENCHMARK(BM_OpenSTL)->Unit(benchmark::kMillisecond);

// The library's read alone, in this process (arg 0) or in the child (arg 1).
void readLibrary(benchmark::State& state, const std::string& path)
{
    if (path.empty()) {
        state.SkipWithError("no model");
        return;
    }
    for (auto _ : state) {
        ovek::MeshData data;
        const ovek::FileResult r =
            state.range(0) ? ovek::readContained(
                                 [&](ovek::MeshData& d) { return ovek::readLibraryModel(path, d); },
                                 ovek::ContainLimits(), data)
                           : ovek::readLibraryModel(path, data);
        if (!r)
            state.SkipWithError("cannot read the model");
        benchmark::DoNotOptimize(data.corners.size());
    }
}

void BM_ContainmentSmallSTL(benchmark::State& state)
{
    readLibrary(state, written(kDemo, "pexolen-bench-demo.stl"));
}
BENCHMARK(BM_ContainmentSmallSTL)->ArgName("child")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ContainmentLargeSTL(benchmark::State& state)
{
    readLibrary(state, written(kCorpusModel, "pexolen-bench-nitro.stl"));
}
BENCHMARK(BM_ContainmentLargeSTL)->ArgName("child")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ContainmentLargeOBJ(benchmark::State& state)
{
    readLibrary(state, written(kCorpusModel, "pexolen-bench-nitro.obj"));
}
BENCHMARK(BM_ContainmentLargeOBJ)->ArgName("child")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

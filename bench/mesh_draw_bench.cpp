// The mesh drawing alone, without a window: the largest corpus model and a
// generated 200k-face sheet drawn into an off-screen Mesa context the size of
// the start-up pane, unchanged between frames and turned a little before each
// (a drag step: the mesh's update, the arrays' rebuild and the draw). Run with
// LP_NUM_THREADS=0 for the whole cost on one thread, free of the X server and
// of other programs' load:
//   LP_NUM_THREADS=0 build/release/bench/mesh_draw_bench
#include <benchmark/benchmark.h>

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_meshes.h"
#include "gl/gl_mesh_painter.h"
#include "gl/pane_gl.h"
#include "mesh/model_open.h"

namespace {

constexpr int kW = 866, kH = 516;
using benchmesh::kLargest;

using benchmesh::makeSheet;

void drawFrames(benchmark::State& state, bool sheet, bool turning)
{
    std::vector<unsigned> pixels(size_t(kW) * kH);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 24, 0, 0, nullptr);
    if (!context || !OSMesaMakeCurrent(context, pixels.data(), GL_UNSIGNED_BYTE, kW, kH))
        return state.SkipWithError("no off-screen context");
    installGlMeshPainter();
    SceneInit();
    setPaneProjection(kW, kH);
    setupPaneLighting();
    {
        Component3D mesh;
        if (sheet)
            makeSheet(mesh);
        else if (!ovek::openModelFile(kLargest, &mesh))
            state.SkipWithError("no corpus model");
        mesh.setEmissionColor(1, 0, 0);
        for (auto _ : state) {
            if (turning)
                mesh.rotateY(0.01);
            beginPanePaint();
            mesh.show();
            endPanePaint();
            glFinish();
        }
        state.counters["faces"] = double(mesh.faces.size());
    }
    OSMesaDestroyContext(context);
}

void BM_MeshFrameLargestCorpusModel(benchmark::State& s) { drawFrames(s, false, false); }
void BM_MeshDragStepLargestCorpusModel(benchmark::State& s) { drawFrames(s, false, true); }
void BM_MeshFrame200kFaces(benchmark::State& s) { drawFrames(s, true, false); }
void BM_MeshDragStep200kFaces(benchmark::State& s) { drawFrames(s, true, true); }
BENCHMARK(BM_MeshFrameLargestCorpusModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshDragStepLargestCorpusModel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshFrame200kFaces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshDragStep200kFaces)->Unit(benchmark::kMillisecond);

}  // namespace

// Costs of the stereogram engine's inner loops at the default picture size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "engine/reference/diff_viewer_model.h"
#include "engine/reference/face_viewer_model.h"
#include "engine/reference/image_object_model.h"
#include "engine/triangle_model.h"
#include "engine/reference/y_changed_object_model.h"
#include "image/image.h"

namespace {

std::unique_ptr<ovek::Image> makePattern()
{
    auto img = std::make_unique<ovek::Image>(nullptr, 128, 128);
    std::mt19937 rng(1);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            img->setColor(x, y, int(rng() & 255), int(rng() & 255), int(rng() & 255));
    return img;
}

// A depth picture: a dome of brightness in the middle of 800 x 600.
std::unique_ptr<ovek::Image> makeDepthPicture()
{
    auto img = std::make_unique<ovek::Image>(nullptr, 800, 600);
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const double r = std::hypot(x - 400.0, y - 300.0);
            const int v = r < 250 ? int(255 * std::sqrt(1 - (r / 250) * (r / 250))) : 0;
            img->setColor(x, y, v, v, v);
        }
    }
    return img;
}

// About 2000 small triangles tiling a raised disc, plus the two background ones.
void makeMesh(FacesModel& list)
{
    for (int gy = -20; gy < 20; ++gy) {
        for (int gx = -25; gx < 25; ++gx) {
            auto z = [](double x, double y) {
                const double r = std::hypot(x, y);
                return r < 220 ? 20 + 150 * (1 - r / 220) : 20.0;
            };
            const double x0 = gx * 10.0, y0 = gy * 10.0, x1 = x0 + 10, y1 = y0 + 10;
            Point3DModel* a = list.addPoint(Point3DModel(x0, y0, z(x0, y0)));
            Point3DModel* b = list.addPoint(Point3DModel(x1, y0, z(x1, y0)));
            Point3DModel* c = list.addPoint(Point3DModel(x0, y1, z(x0, y1)));
            Point3DModel* d = list.addPoint(Point3DModel(x1, y1, z(x1, y1)));
            list.add(new TriangleModel(a, b, c));
            list.add(new TriangleModel(b, d, c));
        }
    }
    Point3DModel* p1 = list.addPoint(Point3DModel(-1800, -1600, 5));
    Point3DModel* p2 = list.addPoint(Point3DModel(1800, 1600, 5));
    Point3DModel* p3 = list.addPoint(Point3DModel(-1800, 1600, 5));
    Point3DModel* p4 = list.addPoint(Point3DModel(1800, -1600, 5));
    list.add(new TriangleModel(p1, p2, p3));
    list.add(new TriangleModel(p1, p2, p4));
}

void FaceViewerRow(benchmark::State& state)
{
    auto pattern = makePattern();
    FaceViewerModel viewer;
    viewer.init(800, 600, pattern.get());
    FacesModel mesh;
    makeMesh(mesh);
    auto faces = YChangedObjectModel::getFaces(viewer, &mesh);
    int row = -300;
    for (auto _ : state) {
        viewer.produce(-800, 800, row, faces.get());
        row = row == 299 ? -300 : row + 1;
    }
    state.counters["triangles"] = faces->size();
}
BENCHMARK(FaceViewerRow)->Unit(benchmark::kMicrosecond);

void DiffViewerRow(benchmark::State& state)
{
    auto pattern = makePattern();
    auto depth = makeDepthPicture();
    DiffViewerModel viewer;
    viewer.init(800, 600, pattern.get());
    ImageObjectModel image(depth.get());
    const ObjectModel* layers[] = {&image};
    auto prepared = YChangedObjectModel::getModels(viewer, layers, 1, 800, 600);
    ObjectModel* first[] = {prepared[0].get()};
    int row = -300;
    for (auto _ : state) {
        viewer.produce(-900, 900, row, first, 1);
        row = row == 299 ? -300 : row + 1;
    }
}
BENCHMARK(DiffViewerRow)->Unit(benchmark::kMicrosecond);

void YChangedTable800x600(benchmark::State& state)
{
    auto depth = makeDepthPicture();
    ImageObjectModel image(depth.get());
    ViewerModel viewer;
    for (auto _ : state) {
        YChangedObjectModel table(viewer, &image, 1, 800, 600);
        benchmark::DoNotOptimize(table.table.data());
    }
}
BENCHMARK(YChangedTable800x600)->Unit(benchmark::kMillisecond);

}  // namespace

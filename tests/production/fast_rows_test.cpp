// The fast rows against the engine classes as designed, pixel for pixel, over
// generated pictures, triangle lists and meshes, with one and two workers.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "engine/fast_depth_rows.h"
#include "engine/fast_face_rows.h"
#include "engine/triangle_model.h"
#include "engine/viewer_model.h"
#include "engine/worker_pool.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "image/row_sink.h"
#include "mesh/model_open.h"
#include "production/production.h"
#include "production/production_rows.h"
#include "tests/engine/engine_test_util.h"
#include "tests/image/bmp_test_util.h"
#include "tests/mesh/mesh_builders.h"
#include "tests/production/literal_production.h"

using ovek::Image;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

// Where two pictures first differ, or "" when they are the same.
std::string firstDifference(const Image& expected, const Image& actual)
{
    if (expected.getWidth() != actual.getWidth() || expected.getHeight() != actual.getHeight())
        return "sizes differ";
    for (int y = 0; y < expected.getHeight(); ++y)
        for (int x = 0; x < expected.getWidth(); ++x)
            if (expected.getColor(x, y) != actual.getColor(x, y))
                return "first at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

std::unique_ptr<Image> fastRows(RowGenerator& generator, WorkerPool& pool, const Image* pattern,
                                int width, int height)
{
    auto result = std::make_unique<Image>(nullptr, width, height);
    ovek::ImageRowSink sink(*result);
    EXPECT_TRUE(produceRows(generator, pool, pattern, width, height, sink));
    return result;
}

// Depth pictures. Terraces have flat steps of whole heights, where
// neighbouring segments are seen at exactly the same height (ties).
enum class Relief { Noise, Smooth, Terraces };

std::unique_ptr<Image> relief(int w, int h, Relief kind, uint32_t seed = 3)
{
    std::mt19937 rng(seed);
    return enginetest::picture(w, h, [&](int x, int y) {
        switch (kind) {
        case Relief::Noise: return int(rng() & 0xFFFFFF);  // three different bytes
        case Relief::Smooth: {
            const int v = int(128 + 100 * std::sin(x / 17.0) * std::cos(y / 23.0));
            return v * 0x010101;
        }
        case Relief::Terraces: return 40 * ((x / 23 + y / 31) % 6) * 0x010101;
        }
        return 0;
    });
}

TEST(FastRows, DepthRowsMatchTheLayeredViewer)
{
    struct Case {
        int width, height, span;     // the picture and the sampled range
        int depthWidth, depthHeight;  // 0: no depth picture
        Relief kind;
        int patternWidth, patternHeight;  // 0: no pattern
    } cases[] = {
        {1, 1, 1, 1, 1, Relief::Noise, 3, 2},
        {2, 3, 2, 2, 3, Relief::Noise, 1, 1},
        {37, 11, 41, 37, 11, Relief::Smooth, 5, 7},
        {300, 5, 337, 290, 9, Relief::Noise, 13, 3},
        {80, 170, 90, 80, 170, Relief::Terraces, 0, 0},
        {81, 61, 91, 64, 48, Relief::Smooth, 17, 19},
        {81, 61, 91, 0, 0, Relief::Smooth, 17, 19},
        {160, 121, 180, 160, 121, Relief::Noise, 31, 29},
        {160, 121, 60, 200, 150, Relief::Terraces, 31, 29},
        {200, 150, 225, 200, 150, Relief::Smooth, 64, 64},
    };
    for (const Case& c : cases) {
        const auto depth = c.depthWidth ? relief(c.depthWidth, c.depthHeight, c.kind) : nullptr;
        const auto pattern =
            c.patternWidth ? enginetest::randomPattern(c.patternWidth, c.patternHeight) : nullptr;
        const auto expected = literal::depthRows(depth.get(), pattern.get(), c.width, c.height, c.span);
        const ovek::GreyPicture grey = depth ? ovek::greyOf(*depth) : ovek::GreyPicture();
        for (int threads : {1, 2}) {
            WorkerPool pool(threads);
            FastDepthRows rows(ViewerModel(), depth ? &grey : nullptr, c.width, c.height, c.span,
                               pool.size());
            const auto actual = fastRows(rows, pool, pattern.get(), c.width, c.height);
            EXPECT_EQ(firstDifference(*expected, *actual), "")
                << c.width << " x " << c.height << " span " << c.span << ", " << threads
                << " threads";
        }
    }
}

TEST(FastRows, DepthPicturesOfEveryStoredFormReadAsTheirPixels)
{
    testutil::TempDir dir;
    const std::string path = dir.file("depth.bmp");
    const auto pattern = enginetest::randomPattern(23, 19);
    for (bmptest::Variant v : bmptest::kVariants) {
        testutil::writeFile(path, bmptest::randomBMP(v, 90, 70, 5));
        Image depth(nullptr, 1, 1);
        ovek::GreyPicture grey;
        ASSERT_TRUE(depth.loadImage(path));
        ASSERT_TRUE(ovek::loadGreyPicture(path, grey));
        const auto expected = literal::depthRows(&depth, pattern.get(), 101, 81, 113);
        WorkerPool pool(2);
        FastDepthRows rows(ViewerModel(), &grey, 101, 81, 113, pool.size());
        const auto actual = fastRows(rows, pool, pattern.get(), 101, 81);
        EXPECT_EQ(firstDifference(*expected, *actual), "") << "variant " << int(v);
    }
}

// Triangle lists meant to find the edges of the fast path: corners on whole
// rows (flat tops and bottoms: a corner at height 300 and even y is seen at
// exactly y / 2), triangles lying in one plane over each other (equal heights
// from different triangles), coincident and degenerate triangles, triangles
// outside the picture or reaching the eye's height.
struct Corners {
    double x0, y0, z0, x1, y1, z1, x2, y2, z2;
};

void add(FacesModel& list, const Corners& c)
{
    list.add(new TriangleModel(list.addPoint({c.x0, c.y0, c.z0}), list.addPoint({c.x1, c.y1, c.z1}),
                               list.addPoint({c.x2, c.y2, c.z2})));
}

void addRandom(FacesModel& list, int count, double reach, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> xy(-reach, reach), z(-20, 500);
    for (int i = 0; i < count; ++i) {
        const double x = xy(rng), y = xy(rng);
        std::uniform_real_distribution<double> near(-40, 40);
        add(list, {x, y, z(rng), x + near(rng), y + near(rng), z(rng), x + near(rng),
                   y + near(rng), z(rng)});
    }
}

void addWholeRowTriangles(FacesModel& list, int count, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> even(-60, 60), x(-70, 70);
    for (int i = 0; i < count; ++i) {
        const double y0 = 2 * even(rng), y1 = 2 * even(rng), xa = x(rng), xb = x(rng);
        // One flat edge on a whole row, the third corner above or below it.
        add(list, {xa, y0, 300, xb, y0, 300, double(x(rng)), y1, 300});
    }
}

void addCoplanar(FacesModel& list)
{
    // Nested and overlapping triangles in the plane z = 120, then the same
    // nested in z = 200 given in the other order.
    add(list, {-60, -40, 120, 60, -40, 120, 0, 40, 120});
    add(list, {-30, -20, 120, 30, -20, 120, 0, 20, 120});
    add(list, {-10, -30, 120, 50, -30, 120, 20, 30, 120});
    add(list, {-30, -20, 200, 30, -20, 200, 0, 20, 200});
    add(list, {-60, -40, 200, 60, -40, 200, 0, 40, 200});
}

void addOddOnes(FacesModel& list)
{
    const double inf = std::numeric_limits<double>::infinity();
    add(list, {-20, -10, 80, 20, -10, 80, 0, 30, 80});          // coincident twice,
    add(list, {-20, -10, 80, 20, -10, 80, 0, 30, 80});
    add(list, {0, 30, 80, -20, -10, 80, 20, -10, 80});          // and in another order
    add(list, {-50, 5, 60, 50, 5, 60, 10, 5, 60});              // all corners on one row
    add(list, {-50, 7.5, 60, 50, 7.5, 60, 10, 7.5, 60});        // ... between rows
    add(list, {-40, -40, 90, 0, 0, 90, 40, 40, 90});            // no area
    add(list, {10, 10, 90, 10, 10, 90, 10, 10, 90});            // a point
    add(list, {-5000, -10, 50, -4000, 10, 50, -4500, 20, 50});  // left of the picture
    add(list, {-10, 9000, 50, 10, 9000, 50, 0, 9500, 50});      // below it
    add(list, {-30, -30, 860, 30, -30, 40, 0, 30, 40});         // a corner at the eyes
    add(list, {-30, 1e300, 40, 30, -1e300, 40, 0, 30, 40});     // enormous
    add(list, {-30, -inf, 40, 30, 10, 40, 0, 30, 40});          // infinite
}

TEST(FastRows, FaceRowsMatchTheFaceViewer)
{
    struct Case {
        int width, viewerHeight, pictureHeight;
        void (*fill)(FacesModel&);
    } cases[] = {
        {120, 100, 100, [](FacesModel&) {}},
        {1, 100, 1, [](FacesModel& l) { addRandom(l, 20, 60, 1); }},
        {160, 100, 50, [](FacesModel& l) { addRandom(l, 200, 90, 2); }},
        {81, 61, 61, [](FacesModel& l) { addWholeRowTriangles(l, 150, 3); }},
        {150, 130, 130,
         [](FacesModel& l) {
             addCoplanar(l);
             addWholeRowTriangles(l, 40, 4);
         }},
        {140, 101, 101,
         [](FacesModel& l) {
             addOddOnes(l);
             addRandom(l, 60, 70, 5);
         }},
    };
    for (const Case& c : cases) {
        FacesModel faces;
        c.fill(faces);
        const auto pattern = enginetest::randomPattern(37, 23);
        const auto expected =
            literal::faceRows(faces, pattern.get(), c.width, c.viewerHeight, c.pictureHeight);
        for (int threads : {1, 2}) {
            WorkerPool pool(threads);
            FastFaceRows rows(ViewerModel(), faces, c.width, c.viewerHeight,
                              std::min(c.pictureHeight, c.viewerHeight - 1), pool.size());
            const auto actual = fastRows(rows, pool, pattern.get(), c.width, c.pictureHeight);
            EXPECT_EQ(firstDifference(*expected, *actual), "")
                << faces.size() << " triangles on " << c.width << " x " << c.pictureHeight
                << ", " << threads << " threads";
        }
    }
}

// A field of hills with a few coincident and degenerate faces.
void hills(Component3D& mesh, int n)
{
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const double x = -1 + 2.0 * i / (n - 1), y = -1 + 2.0 * j / (n - 1);
            mesh.addPoint(new Point3D(x, y, 0.6 * std::sin(5 * x) * std::cos(4 * y)));
        }
    for (int j = 0; j + 1 < n; ++j)
        for (int i = 0; i + 1 < n; ++i) {
            const size_t a = size_t(j * n + i);
            meshtest::addFace(mesh, a, a + 1, a + size_t(n));
            meshtest::addFace(mesh, a + 1, a + size_t(n) + 1, a + size_t(n));
        }
    meshtest::addFace(mesh, 0, 1, size_t(n));  // coincident with the first
    meshtest::addFace(mesh, 0, 1, 2);          // on one line
}

TEST(FastRows, ProductionMatchesTheLiteralClasses)
{
    Component3D demo, field, empty;
    ASSERT_TRUE(ovek::openModelFile(kDemo + "demo.3ds", &demo));
    hills(field, 8);
    const auto pattern = enginetest::randomPattern(131, 97);
    const auto tiny = enginetest::randomPattern(1, 1);
    const auto odd = enginetest::randomPattern(7, 13);
    const auto dot = relief(1, 1, Relief::Noise);
    const auto smooth = relief(801, 601, Relief::Smooth);
    const auto noise = relief(3000, 50, Relief::Noise);
    struct Case {
        const Component3D* mesh;  // null: depth mode
        int width, height;
        const Image* depth;
        const Image* pattern;
    } cases[] = {
        {&demo, 866, 554, nullptr, pattern.get()},
        {&field, 1, 1, nullptr, pattern.get()},
        {&field, 3000, 50, nullptr, odd.get()},
        {&field, 800, 1700, nullptr, tiny.get()},
        {&field, 801, 601, nullptr, nullptr},
        {&empty, 120, 100, nullptr, pattern.get()},
        {nullptr, 0, 0, dot.get(), odd.get()},
        {nullptr, 0, 0, smooth.get(), pattern.get()},
        {nullptr, 0, 0, noise.get(), nullptr},
    };
    for (const Case& c : cases) {
        ovek::ProductionInput in;
        in.pattern = c.pattern;
        in.modelType = c.mesh ? ovek::MODEL_TYPE_3D : ovek::MODEL_TYPE_IMAGE;
        in.mesh = c.mesh;
        in.meshWidth = c.width;
        in.meshHeight = c.height;
        in.depthPicture = c.depth;
        const auto expected = literal::produce(in);
        for (int threads : {1, 2}) {
            in.threads = threads;
            const auto actual = ovek::produceStereogram(in);
            EXPECT_EQ(firstDifference(*expected, *actual), "")
                << (c.mesh ? "mesh " : "depth ") << expected->getWidth() << " x "
                << expected->getHeight() << ", " << threads << " threads";
        }
    }
}

// Depth pictures of 16-bit samples, most of them no multiple of 257.
ovek::GreyPicture wideRelief(int w, int h, uint32_t seed)
{
    ovek::GreyPicture g;
    g.width = w;
    g.height = h;
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double smooth = 32768 + 30000 * std::sin(x / 13.0) * std::cos(y / 9.0);
            g.values16.push_back(uint16_t(x % 7 == 0 ? rng() : uint32_t(smooth)));
            g.values.push_back(uint8_t(g.values16.back() >> 8));
        }
    return g;
}

TEST(FastRows, DepthRowsMatchTheLayeredViewerWithOtherEyesHeightsAndOversampling)
{
    const auto pattern = enginetest::randomPattern(29, 17);
    const auto terraces = relief(120, 90, Relief::Terraces);
    const auto noise = relief(150, 100, Relief::Noise);
    const ovek::GreyPicture wide = wideRelief(140, 96, 5);
    struct Case {
        const Image* depth;  // null: the 16-bit picture
        double separation, scale;
        bool invert;
        int oversample;
    } cases[] = {
        {terraces.get(), 60, 1, false, 1},   {terraces.get(), 500, 1, false, 1},
        {noise.get(), 200, 0.5, false, 1},   {noise.get(), 200, 0, false, 1},
        {terraces.get(), 200, 2.2, true, 1}, {noise.get(), 330, 1.7, true, 1},
        {noise.get(), 200, 1, false, 2},     {terraces.get(), 140, 1.3, false, 4},
        {noise.get(), 90, 0.7, true, 3},     {nullptr, 200, 1, false, 1},
        {nullptr, 260, 1.9, true, 1},        {nullptr, 200, 1, false, 4},
    };
    for (const Case& c : cases) {
        ovek::ProductionInput in;
        in.modelType = ovek::MODEL_TYPE_IMAGE;
        in.pattern = pattern.get();
        const ovek::GreyPicture grey = c.depth ? ovek::greyOf(*c.depth) : wide;
        in.depthGrey = &grey;
        in.settings.eyeSeparation = c.separation;
        in.settings.depthScale = c.scale;
        in.settings.invert = c.invert;
        in.settings.oversample = c.oversample;
        const auto expected = literal::produce(in);
        // Neither side may simply ignore the settings.
        ovek::ProductionInput design = in;
        design.settings = ovek::StereogramSettings();
        if (c.depth) {
            EXPECT_NE(firstDifference(*ovek::produceStereogram(design), *expected), "");
        }
        for (int threads : {1, 2}) {
            in.threads = threads;
            const auto actual = ovek::produceStereogram(in);
            EXPECT_EQ(firstDifference(*expected, *actual), "")
                << (c.depth ? "8" : "16") << "-bit, eyes " << c.separation << " apart, scale "
                << c.scale << (c.invert ? " inverted" : "") << ", oversampled " << c.oversample
                << ", " << threads << " threads";
        }
    }
}

TEST(FastRows, FaceRowsMatchTheFaceViewerWithOtherEyesHeightsAndOversampling)
{
    Component3D demo, field;
    ASSERT_TRUE(ovek::openModelFile(kDemo + "demo.3ds", &demo));
    hills(field, 8);
    const auto pattern = enginetest::randomPattern(41, 23);
    struct Case {
        const Component3D* mesh;
        int width, height;
        double separation, scale;
        int oversample;
        double turn;  // about y
    } cases[] = {
        {&field, 300, 120, 70, 1, 1, 0},   {&field, 300, 120, 480, 1, 1, 0},
        {&field, 260, 110, 200, 0, 1, 0},  {&field, 260, 110, 200, 1.8, 1, 0},
        {&demo, 240, 100, 200, 1, 2, 0},   {&field, 200, 104, 150, 0.6, 4, 0},
        {&demo, 300, 130, 260, 1.3, 3, 37}, {&demo, 220, 100, 200, 1, 1, 180},
    };
    for (const Case& c : cases) {
        ovek::ProductionInput in;
        in.pattern = pattern.get();
        in.mesh = c.mesh;
        in.meshWidth = c.width;
        in.meshHeight = c.height;
        in.settings.eyeSeparation = c.separation;
        in.settings.depthScale = c.scale;
        in.settings.oversample = c.oversample;
        in.settings.rotateY = c.turn;
        const auto expected = literal::produce(in);
        ovek::ProductionInput design = in;
        design.settings = ovek::StereogramSettings();
        EXPECT_NE(firstDifference(*ovek::produceStereogram(design), *expected), "");
        for (int threads : {1, 2}) {
            in.threads = threads;
            const auto actual = ovek::produceStereogram(in);
            EXPECT_EQ(firstDifference(*expected, *actual), "")
                << c.width << " x " << c.height << ", eyes " << c.separation << " apart, scale "
                << c.scale << ", oversampled " << c.oversample << ", turned " << c.turn << ", "
                << threads << " threads";
        }
    }
}

}  // namespace

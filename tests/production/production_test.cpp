#include <gtest/gtest.h>

#include "engine/triangle_model.h"
#include "production/production.h"
#include "production/signature_mark.h"
#include "image/image.h"
#include "tests/mesh/mesh_builders.h"

using ovek::Image;
using ovek::ProductionInput;

namespace {

// A pattern whose every pixel differs, so any shift of a column shows.
std::unique_ptr<Image> noisePattern(int w, int h)
{
    auto img = std::make_unique<Image>(nullptr, w, h);
    uint32_t s = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            s = s * 1103515245u + 12345u;
            img->setColor(x, y, int(s >> 8), int(s >> 16), int(s >> 24));
        }
    return img;
}

// The seed colour of result pixel (x, y): pattern column 0 sits on the middle column.
int seed(const Image& pattern, int width, int x, int y)
{
    return pattern.getColor((width / 2 + x) % pattern.getWidth(), y % pattern.getHeight());
}

bool insideMark(int x, int y)
{
    return x >= 15 && x <= 175 && y >= 30 && y <= 65;
}

ProductionInput depthInput(const Image* pattern, const Image* depth)
{
    ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.pattern = pattern;
    in.depthPicture = depth;
    return in;
}

TEST(Production, DepthModeResultIsAtLeast800By600)
{
    const int cases[][4] = {{640, 480, 800, 600}, {1024, 300, 1024, 600}, {800, 600, 800, 600},
                            {799, 601, 800, 601}};
    for (const auto& c : cases) {
        Image depth(nullptr, c[0], c[1]);
        int w = 0, h = 0;
        ovek::resultSize(depthInput(nullptr, &depth), w, h);
        EXPECT_EQ(w, c[2]);
        EXPECT_EQ(h, c[3]);
    }
    EXPECT_EQ(ovek::depthSpan(800), 900);
    EXPECT_EQ(ovek::depthSpan(801), 901);
    EXPECT_EQ(ovek::depthSpan(1000), 1125);
}

TEST(Production, DepthModeKeepsEdgesUnshiftedAndChangesOnlyTheReachedColumns)
{
    const auto pattern = noisePattern(131, 97);
    Image depth(nullptr, 640, 480);  // black: height 0 everywhere
    std::fill(depth.pixels.begin(), depth.pixels.end(), 0);
    const auto result = ovek::produceStereogram(depthInput(pattern.get(), &depth));
    ASSERT_EQ(result->getWidth(), 800);
    ASSERT_EQ(result->getHeight(), 600);
    const int row = 300;
    for (int x = 0; x < 800; ++x) {
        const bool changed = result->getColor(x, row) != seed(*pattern, 800, x, row);
        if (x < 175 || x > 760) {
            EXPECT_FALSE(changed) << "column " << x << " lies outside the reached range";
        }
    }
    int changed = 0;
    for (int x = 175; x <= 760; ++x)
        changed += result->getColor(x, row) != seed(*pattern, 800, x, row);
    EXPECT_GT(changed, 500);
    for (int y = 0; y < 600; ++y) {
        if (!insideMark(0, y)) {
            EXPECT_EQ(result->getColor(0, y), seed(*pattern, 800, 0, y));
        }
        EXPECT_EQ(result->getColor(799, y), seed(*pattern, 800, 799, y));
    }
    for (int x = 0; x < 800; ++x)
        EXPECT_EQ(result->getColor(x, 599), seed(*pattern, 800, x, 599));
}

TEST(Production, MeshModeUsesAtLeastHundredRowsAndAppendsTheBackgroundOnce)
{
    Component3D mesh;
    meshtest::addPoints(mesh, {{1, 1, -1}, {0, 0, 1}, {-1, 1, -1}});
    meshtest::addFace(mesh, 0, 1, 2);
    FacesModel faces;
    ProductionInput in;
    in.mesh = &mesh;
    in.faces = &faces;
    in.meshWidth = 300;
    in.meshHeight = 80;
    const auto first = ovek::produceStereogram(in);
    EXPECT_EQ(first->getWidth(), 300);
    EXPECT_EQ(first->getHeight(), 80);
    ASSERT_EQ(faces.size(), 3) << "the mesh's triangle, then the two background triangles";
    // Scale min(300, 100) / 1.5: the 80-row picture is computed with 100 rows.
    EXPECT_DOUBLE_EQ(faces.get(0)->p0->x, 100 / 1.5);
    EXPECT_DOUBLE_EQ(faces.get(0)->p0->y, -100 / 1.5);
    EXPECT_DOUBLE_EQ(faces.get(0)->p0->z, 20);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_DOUBLE_EQ(faces.get(i)->p0->x, -1800);
        EXPECT_DOUBLE_EQ(faces.get(i)->p0->z, 5);
    }
    EXPECT_DOUBLE_EQ(faces.get(1)->p2->y, 1600);
    EXPECT_DOUBLE_EQ(faces.get(2)->p2->y, -1600);

    const auto second = ovek::produceStereogram(in);
    EXPECT_EQ(faces.size(), 3) << "a second run must not accumulate background triangles";
    EXPECT_EQ(second->pixels, first->pixels);
}

TEST(Production, ProgressCountsEveryRowOnceAndLeavesTheResultAlone)
{
    const auto pattern = noisePattern(97, 41);
    Image depth(nullptr, 640, 480);
    depth.setColor(320, 240, 200, 200, 200);
    ProductionInput mesh;
    mesh.pattern = pattern.get();
    mesh.meshWidth = 300;
    mesh.meshHeight = 80;
    for (const auto& [in, rows] : {std::pair{mesh, 100}, {depthInput(pattern.get(), &depth), 600}}) {
        const auto quiet = ovek::produceStereogram(in);
        std::vector<int> done;
        ProductionInput told = in;
        told.onRow = [&](int d, int total) {
            done.push_back(d);
            EXPECT_EQ(total, rows);
        };
        const auto result = ovek::produceStereogram(told);
        ASSERT_EQ(done.size(), size_t(rows));
        for (int i = 0; i < rows; ++i)
            EXPECT_EQ(done[size_t(i)], i + 1);
        EXPECT_EQ(result->pixels, quiet->pixels);
    }
}

TEST(Production, EmptyMeshGivesAFlatPlaneWhoseRowsRepeatWithThePattern)
{
    const auto pattern = noisePattern(97, 41);
    Component3D empty;
    ProductionInput in;
    in.pattern = pattern.get();
    in.mesh = &empty;
    in.meshWidth = 400;
    in.meshHeight = 200;
    const auto flat = ovek::produceStereogram(in);
    // A flat plane maps every row alike, so rows with equal seeds stay equal
    // (but for rounding where the row crosses the seam of the two background
    // triangles).
    auto sameRows = [](const Image& img, int a, int b) {
        int differing = 0;
        for (int x = 0; x < img.getWidth(); ++x)
            differing += img.getColor(x, a) != img.getColor(x, b);
        return differing <= 10;
    };
    for (int y = 70; y + 41 < 199; y += 13)
        EXPECT_TRUE(sameRows(*flat, y, y + 41)) << "row " << y;
    bool anyShift = false;
    for (int x = 1; x < 399 && !anyShift; ++x)
        anyShift = flat->getColor(x, 100) != seed(*pattern, 400, x, 100);
    EXPECT_TRUE(anyShift) << "the plane at height 5 still shifts the pattern";

    Component3D bump;
    meshtest::addPoints(bump, {{-0.5, -0.5, 1}, {0.5, -0.5, 1}, {0, 0.5, 1}});
    meshtest::addFace(bump, 0, 1, 2);
    in.mesh = &bump;
    const auto raised = ovek::produceStereogram(in);
    EXPECT_FALSE(sameRows(*raised, 100, 141)) << "a raised triangle breaks the repetition";
}

TEST(Production, EveryResultCarriesTheSameMarkClippedAtTheRightEdge)
{
    std::vector<int> xs(signyyy, signyyy + 864), ys(signxxx, signxxx + 864);
    EXPECT_EQ(*std::min_element(xs.begin(), xs.end()), 24);
    EXPECT_LE(*std::max_element(xs.begin(), xs.end()), 164);
    EXPECT_GE(*std::min_element(ys.begin(), ys.end()), 11);
    EXPECT_LE(*std::max_element(ys.begin(), ys.end()), 44);

    const int mint = 198 * 65536 + 255 * 256 + 238, grey = 63 * 65536 + 63 * 256 + 63;
    Component3D empty;
    ProductionInput in;
    in.mesh = &empty;
    in.meshWidth = 120;  // narrower than the mark
    in.meshHeight = 100;
    const auto narrow = ovek::produceStereogram(in);
    for (int k = 0; k < 864; ++k) {
        const int x = signyyy[k] + 10, y = signxxx[k] + 20;
        if (x < 120) {
            EXPECT_EQ(narrow->getColor(x, y), mint) << k;
        }
    }
    // The outline surrounds the fill: the pixel left of the leftmost column is grey.
    EXPECT_EQ(narrow->getColor(33, 40), grey);
}

}  // namespace

#include <gtest/gtest.h>

#include "image/image.h"
#include "mesh/chunk3ds.h"
#include "mesh/component3d.h"
#include "tests/app/run_pexolen.h"

using testutil::Outcome;
using testutil::pexolen;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

std::unique_ptr<ovek::Image> load(const std::string& path)
{
    auto img = std::make_unique<ovek::Image>(nullptr, 1, 1);
    EXPECT_TRUE(img->loadImage(path)) << path;
    return img;
}

size_t filesIn(const std::filesystem::path& dir)
{
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        n += e.is_regular_file();
    return n;
}

TEST(CommandLineProduce, DefaultsWorkFromAnyFolder)
{
    testutil::TempDir dir;
    const Outcome r = pexolen("produce --size 240x120", dir.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("stereogram.bmp: 240 x 120"), std::string::npos) << r.out;
    const auto result = load(dir.file("stereogram.bmp"));
    EXPECT_EQ(result->getWidth(), 240);
    EXPECT_EQ(result->getHeight(), 120);
}

TEST(CommandLineProduce, DepthModeWithoutPatternWritesPNG)
{
    testutil::TempDir dir;
    ovek::Image depth(nullptr, 100, 50);
    ASSERT_TRUE(depth.writeBMPFile(dir.file("d.bmp")));
    const Outcome r = pexolen("produce --pattern none --depth " + dir.file("d.bmp") + " -o " +
                              dir.file("s.PNG"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = testutil::readFile(dir.file("s.PNG"));
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    const auto result = load(dir.file("s.PNG"));
    EXPECT_EQ(result->getWidth(), 800);
    EXPECT_EQ(result->getHeight(), 600);
    EXPECT_EQ(result->getColor(400, 300), 0) << "no pattern: a black start";
    EXPECT_EQ(result->getColor(34, 37), 198 * 65536 + 255 * 256 + 238) << "the mark";
}

TEST(CommandLineProduce, MeshModeMatchesTheSameModelAsNativeFile)
{
    testutil::TempDir dir;
    ASSERT_EQ(pexolen("convert " + kDemo + "demo.3ds " + dir.file("demo.om")).status, 0);
    const std::string common = " --pattern " + kDemo + "pattern.bmp --size 300x80 -o ";
    ASSERT_EQ(pexolen("produce --model " + kDemo + "demo.3ds" + common + dir.file("a.bmp")).status, 0);
    ASSERT_EQ(pexolen("produce --model " + dir.file("demo.om") + common + dir.file("b.bmp")).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("a.bmp")), testutil::readFile(dir.file("b.bmp")));
}

TEST(CommandLineProduce, ErrorsHaveTheirStatusAndLeaveNoFile)
{
    testutil::TempDir dir;
    const std::string out = " -o " + dir.file("x.bmp");
    ovek::Image wide(nullptr, 16385, 1);
    ASSERT_TRUE(wide.writeBMPFile(dir.file("wide.bmp")));
    testutil::writeFile(dir.file("text.3ds"), "not a model");
    struct Case {
        std::string args;
        int status;
        std::string said;
    } cases[] = {
        {"produce --size 0x10" + out, 1, "--size"},
        {"produce --size 20000x10" + out, 1, "--size"},
        {"produce --size 12" + out, 1, "--size"},
        {"produce --depth a.bmp --model b.3ds" + out, 1, "cannot be combined"},
        {"produce --pattern" + out, 1, "unknown option"},
        {"produce --bogus 1" + out, 1, "unknown option"},
        {"produce --pattern " + dir.file("none.bmp") + out, 2, "none.bmp"},
        {"produce --depth " + dir.file("text.3ds") + out, 2, "text.3ds"},
        {"produce --model " + dir.file("text.3ds") + out, 2, "text.3ds"},
        {"produce --model " + dir.file("wide.bmp") + out, 2, "wide.bmp"},
        {"produce --depth " + dir.file("wide.bmp") + out, 2, "16385 x 600"},
        {"produce -o " + dir.file("no/such/x.bmp"), 3, "x.bmp"},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << "\n" << r.err;
    }
    EXPECT_EQ(filesIn(dir.path()), 2u) << "only the two inputs; no output, no temporary file";
}

TEST(CommandLineProduce, RefusesDamagedFilesFromTheSharedCorpus)
{
    SKIP_WITHOUT_CORPUS(corpus, "");
    testutil::TempDir dir;
    const std::string out = " -o " + dir.file("x.bmp");
    for (const std::string& args :
         {"--model " + corpus + "/3ds/wrong.3ds", "--model " + corpus + "/3ds/empty.3ds",
          "--pattern " + corpus + "/bmp/bad/badrle.bmp",
          "--depth " + corpus + "/bmp/bad/shortfile.bmp"}) {
        const Outcome r = pexolen("produce " + args + out);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.err;
    }
    EXPECT_EQ(filesIn(dir.path()), 0u);
}

}  // namespace

namespace {

TEST(DemoFiles, LoadAsTheProgramExpectsThem)
{
    const auto pattern = load(kDemo + "pattern.bmp");
    EXPECT_GE(pattern->getWidth(), 128);
    EXPECT_LE(pattern->getWidth(), 160);
    const auto depth = load(kDemo + "depth.bmp");
    EXPECT_EQ(depth->getWidth(), 640);
    EXPECT_EQ(depth->getHeight(), 480);
    const Outcome info = pexolen("info " + kDemo + "demo.3ds");
    ASSERT_EQ(info.status, 0) << info.err;
    unsigned points = 0, faces = 0;
    ASSERT_EQ(std::sscanf(info.out.c_str(), "points %u faces %u", &points, &faces), 2) << info.out;
    EXPECT_GE(faces, 2000u);
    EXPECT_LE(faces, 10000u);
    // Several objects, one with a material group inside its face list.
    const std::string bytes = testutil::readFile(kDemo + "demo.3ds");
    MainChunk root;
    ASSERT_TRUE(ovek::parse3DS(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), root));
    Component3D mesh;
    mesh.load(&root);
    EXPECT_GE(mesh.faceLists.size(), 3u);
    mesh.faceLists.clear();
    EXPECT_NE(bytes.find("Gloss"), std::string::npos);
}

}  // namespace

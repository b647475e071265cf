#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "image/image.h"
#include "image/picture_writer.h"
#include "mesh/chunk3ds.h"
#include "mesh/component3d.h"
#include "tests/app/run_pexolen.h"

using testutil::Outcome;
using testutil::loadPicture;
using testutil::pexolen;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

size_t filesIn(const std::filesystem::path& dir)
{
    size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        n += e.is_regular_file();
    return n;
}

// Each entry of a folder with its bytes ("folder" for a folder).
std::map<std::string, std::string> contentsOf(const std::filesystem::path& dir)
{
    std::map<std::string, std::string> contents;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        contents[e.path().filename().string()] =
            e.is_directory() ? "folder" : testutil::readFile(e.path().string());
    return contents;
}

TEST(CommandLineProduce, DefaultsWorkFromAnyFolder)
{
    testutil::TempDir dir;
    const Outcome r = pexolen("produce --size 240x120", dir.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("stereogram.bmp: 240 x 120"), std::string::npos) << r.out;
    const auto result = loadPicture(dir.file("stereogram.bmp"));
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
    const auto result = loadPicture(dir.file("s.PNG"));
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

TEST(CommandLineProduce, ThreadsAndTheWayTheResultIsWrittenDoNotChangeThePixels)
{
    testutil::TempDir dir;
    ovek::Image depth(nullptr, 820, 610);  // a larger picture gives a larger result
    for (int y = 0; y < 610; ++y)
        for (int x = 0; x < 820; ++x)
            depth.setColor(x, y, (x * y) % 251, x % 256, y % 256);
    ASSERT_TRUE(depth.writeBMPFile(dir.file("d.bmp")));
    const std::string in = "produce --pattern " + kDemo + "pattern.bmp --depth " + dir.file("d.bmp");
    // Rows straight into a BMP file, a whole picture to a PNG file and to a pipe.
    const std::pair<std::string, std::string> runs[] = {
        {" --threads 1 -o " + dir.file("one.bmp"), "one.bmp: 820 x 610"},
        {" --threads 2 -o " + dir.file("two.bmp"), "two.bmp: 820 x 610"},
        {" -o " + dir.file("all.bmp"), "all.bmp: 820 x 610"},
        {" --threads 2 -o " + dir.file("two.png"), "two.png: 820 x 610"},
        {" -o - > " + dir.file("piped.bmp"), ""},
    };
    for (const auto& [args, said] : runs) {
        const Outcome r = pexolen(in + args);
        ASSERT_EQ(r.status, 0) << args << ": " << r.err;
        EXPECT_NE(r.out.find(said), std::string::npos) << r.out;
    }
    const std::string one = testutil::readFile(dir.file("one.bmp"));
    for (const char* name : {"two.bmp", "all.bmp", "piped.bmp"})
        EXPECT_EQ(testutil::readFile(dir.file(name)), one) << name;
    EXPECT_EQ(loadPicture(dir.file("one.bmp"))->pixels, loadPicture(dir.file("two.png"))->pixels);
}

TEST(CommandLineProduce, RefusalsHaveTheirStatusAndMessageAndChangeNoFile)
{
    testutil::TempDir dir;
    const std::string out = " -o " + dir.file("x.bmp");
    ovek::Image wide(nullptr, 16385, 1);
    ASSERT_TRUE(wide.writeBMPFile(dir.file("wide.bmp")));
    testutil::writeFile(dir.file("text.3ds"), "not a model");
    ovek::Image small(nullptr, 40, 30);
    small.setColor(5, 5, 90, 160, 230);
    ASSERT_TRUE(small.writePNGFile(dir.file("d.png")));
    ASSERT_TRUE(ovek::writePictureFile(small, ovek::PictureFormat::JPEG, dir.file("cut.jpg")));
    const std::string png = testutil::readFile(dir.file("d.png"));
    testutil::writeFile(dir.file("cut.png"), png.substr(0, png.size() - 20));
    testutil::writeFile(dir.file("cut.jpg"), testutil::readFile(dir.file("cut.jpg")).substr(0, 200));
    ASSERT_EQ(link(dir.file("d.png").c_str(), dir.file("hard.png").c_str()), 0);
    testutil::writeFile(dir.file("protected.bmp"), "keep");
    chmod(dir.file("protected.bmp").c_str(), 0444);
    std::filesystem::create_directory(dir.file("folder.bmp"));
    std::filesystem::create_directory(dir.file("models.3ds"));
    const std::map<std::string, std::string> before = contentsOf(dir.path());

    const std::string d = " --depth " + dir.file("d.png");
    const std::string endings = ".bmp, .png, .jpg, .jpeg, .ppm or .pnm";
    struct Case {
        std::string args;
        int status;
        std::string said;
    } cases[] = {
        {"produce --size 0x10" + out, 1, "--size"},
        {"produce --size 20000x10" + out, 1, "--size"},
        {"produce --size 12" + out, 1, "--size"},
        {"produce --size 8192x8193" + out, 1, "67108864 pixels in all, not '8192x8193'"},
        {"produce --depth a.bmp --model b.3ds" + out, 1, "cannot be combined"},
        {"produce --threads 0" + out, 1, "--threads takes a count from 1 to 256, not '0'"},
        {"produce --threads 2x" + out, 1, "--threads takes a count"},
        {"produce --threads=257" + out, 1, "--threads takes a count"},
        {"produce --pattern" + out, 1, "--pattern needs a value"},
        {"produce --bogus 1" + out, 1, "unknown option '--bogus'"},
        {"produce stray" + out, 1, "unexpected argument 'stray'"},
        {"produce -o " + dir.file("out.tif"), 1, endings},
        {"produce -o " + dir.file("out"), 1, endings},
        {"produce --format jpg -o " + dir.file("x.png"), 1, "--format asks for jpg"},
        {"produce --format gif -o " + dir.file("x.gif"), 1, "--format takes bmp, png, jpg or ppm"},
        {"convert " + dir.file("d.png") + " " + dir.file("x.om"), 1, endings},
        {"produce" + d + " -o " + dir.file("d.png"), 1, "is the same file as the input"},
        {"produce" + d + " -o " + dir.file("./d.png"), 1, "is the same file as the input"},
        {"produce" + d + " -o " + dir.file("hard.png"), 1, "is the same file as the input"},
        {"convert " + dir.file("d.png") + " " + dir.file("hard.png"), 1, "is the same file"},
        {"produce --pattern - --depth -" + out, 1, "only one input can come from standard input"},
        {"produce -o " + dir.file("protected.bmp"), 3, "protected.bmp': the file is write-protected"},
        {"produce -o " + dir.file("folder.bmp"), 3, "folder.bmp': it is a folder"},
        {"produce -o " + dir.file("no/such/x.bmp"), 3, "x.bmp': its folder does not exist"},
        {"produce --pattern " + dir.file("none.bmp") + out, 2, "none.bmp"},
        {"produce --depth " + dir.file("text.3ds") + out, 2, "text.3ds"},
        {"produce --model " + dir.file("text.3ds") + out, 2, "text.3ds"},
        {"produce --model " + dir.file("wide.bmp") + out, 2, "wide.bmp"},
        {"produce --model " + dir.file("models.3ds") + out, 2, "it is a folder, not a model"},
        {"produce --depth " + dir.file("wide.bmp") + out, 2, "16385 x 600"},
        {"produce --depth " + dir.file("folder.bmp") + out, 2, "folder.bmp': it is a folder, not a picture"},
        {"produce --depth " + dir.file("cut.png") + out, 2, "the PNG file is cut short or damaged"},
        {"produce --depth " + dir.file("cut.jpg") + out, 2, "the JPEG file is cut short or damaged"},
        {"produce --depth -" + out, 2, "cannot read standard input: the file is empty"},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.args << "\n" << r.err;
    }
    EXPECT_EQ(contentsOf(dir.path()), before) << "inputs intact; no output, no temporary file";
    struct stat st = {};
    stat(dir.file("protected.bmp").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

TEST(CommandLineProduce, WarnsWhenTheResultCannotShowDepth)
{
    testutil::TempDir dir;
    ovek::Image dot(nullptr, 1, 1);
    ASSERT_TRUE(dot.writeBMPFile(dir.file("dot.bmp")));
    const std::string out = " -o " + dir.file("s.bmp");
    struct Case {
        std::string args;
        std::string warning;   // empty: none
    } cases[] = {
        {"--size 300x80", ""},
        {"--size 100x80", "the picture is 100 pixels wide, narrower than one pattern repeat"},
        {"--size 300x80 --pattern " + dir.file("dot.bmp"), "dot.bmp' is a single colour (1 x 1)"},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen("produce -q " + c.args + out);
        EXPECT_EQ(r.status, 0) << c.args << "\n" << r.err;
        if (c.warning.empty()) {
            EXPECT_EQ(r.err, "") << c.args;
        } else {
            EXPECT_NE(r.err.find("pexolen: warning: "), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.warning), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("the result cannot show depth"), std::string::npos) << r.err;
        }
    }
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
    const auto pattern = loadPicture(kDemo + "pattern.bmp");
    EXPECT_GE(pattern->getWidth(), 128);
    EXPECT_LE(pattern->getWidth(), 160);
    const auto depth = loadPicture(kDemo + "depth.bmp");
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

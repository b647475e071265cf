#include <gtest/gtest.h>

#include <cstring>

#include "tests/app/run_pexolen.h"
#include "tools/threeds_writer.h"

namespace {

using testutil::Outcome;
using testutil::pexolen;

std::string twoObjects()
{
    threeds::Object a;
    a.vertices = {{0, 0, 0}, {2, 0, 0}, {5, 5, 5}, {0, 2, 1}};   // vertex 2 unused
    a.faces = {{0, 1, 3}};
    threeds::Object b = a;
    b.name = "second";
    b.material = "Blue";
    b.vertices = {{0, 0, 1}, {2, 2, 1}, {0, 2, 0}};
    b.faces = {{2, 1, 0}};
    return threeds::file({a, b});
}

TEST(CommandLineModels, InfoPrintsCountsBoxPointsAndFacesForAnyCaseOfEnding)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("m.3DS"), twoObjects());
    const Outcome r = pexolen("info " + dir.file("m.3DS") + " --points");
    ASSERT_EQ(r.status, 0) << r.err;
    // Turned to (x, -z, -y): x 0..2, y -1..0, z -2..0; fitted at scale 1 with
    // y mirrored, since the box runs from y = 1 down to y = -1.
    EXPECT_EQ(r.out,
              "points 6 faces 2 bbox -1.000000 -0.500000 -1.000000 1.000000 0.500000 1.000000\n"
              "p -1 -0.5 1\np 1 -0.5 1\np -1 0.5 -1\n"
              "p -1 0.5 1\np 1 0.5 -1\np -1 -0.5 -1\n"
              "f 0 1 2\nf 5 4 3\n");
    const Outcome brief = pexolen("info " + dir.file("m.3DS"));
    EXPECT_EQ(brief.out, r.out.substr(0, r.out.find('\n') + 1));
}

TEST(CommandLineModels, ConvertWritesANativeFileThatReadsBackTheSame)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("m.3ds"), twoObjects());
    ASSERT_EQ(pexolen("convert " + dir.file("m.3ds") + " " + dir.file("m.om")).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("m.om")).size(), 12u + 25 * 6 + 12 * 2);
    const Outcome a = pexolen("info " + dir.file("m.3ds") + " --points");
    const Outcome b = pexolen("info " + dir.file("m.OM") + " --points");
    EXPECT_EQ(b.status, 2);   // the name's case matters to the file system
    const Outcome c = pexolen("info " + dir.file("m.om") + " --points");
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(a.out, c.out);
    // .om to .om is a faithful copy.
    ASSERT_EQ(pexolen("convert " + dir.file("m.om") + " " + dir.file("n.om")).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("n.om")), testutil::readFile(dir.file("m.om")));
}

TEST(CommandLineModels, ErrorsNameTheFileAndTheReasonAndLeaveOutputsAlone)
{
    testutil::TempDir dir;
    // Cut inside the first object's vertex list: nothing complete to show.
    testutil::writeFile(dir.file("cut.3ds"), twoObjects().substr(0, 60));
    Outcome r = pexolen("info " + dir.file("cut.3ds"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot read '" + dir.file("cut.3ds") +
                         "': chunk 0x4D4D runs past the end of the file, before any complete mesh"),
              std::string::npos)
        << r.err;

    testutil::writeFile(dir.file("keep.om"), "precious");
    r = pexolen("convert " + dir.file("cut.3ds") + " " + dir.file("keep.om"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(testutil::readFile(dir.file("keep.om")), "precious");

    testutil::writeFile(dir.file("bad.om"), std::string(11, '\0'));
    r = pexolen("info " + dir.file("bad.om"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("bad.om"), std::string::npos) << r.err;

    testutil::writeFile(dir.file("m.3ds"), twoObjects());
    r = pexolen("convert " + dir.file("m.3ds") + " " + dir.file("no/such/dir/o.om"));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("o.om"), std::string::npos) << r.err;

    EXPECT_EQ(pexolen("convert " + dir.file("m.3ds") + " " + dir.file("o.bmp")).status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.bmp")));
    EXPECT_EQ(pexolen("info").status, 1);
    EXPECT_EQ(pexolen("info a.3ds b.3ds").status, 1);
    r = pexolen("info " + dir.file("m.3ds") + " --verbose");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Usage"), std::string::npos);
}

TEST(CommandLineModels, AFileCutShortIsReadWithAWarningOnStandardError)
{
    testutil::TempDir dir;
    const std::string whole = twoObjects();
    testutil::writeFile(dir.file("m.3ds"), whole);
    // Cut inside the second object's vertex list, and inside its last chunk.
    testutil::writeFile(dir.file("first.3ds"), whole.substr(0, whole.find("second") + 30));
    testutil::writeFile(dir.file("both.3ds"), whole.substr(0, whole.size() - 10));
    const Outcome full = pexolen("info " + dir.file("m.3ds") + " --points");
    const Outcome first = pexolen("info " + dir.file("first.3ds") + " --points");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.err, "pexolen: warning: '" + dir.file("first.3ds") +
                             "': chunk 0x4D4D runs past the end of the file; read up to there, "
                             "leaving out 1 mesh cut short\n");
    EXPECT_EQ(first.out.rfind("points 3 faces 1 ", 0), 0u) << first.out;
    const Outcome both = pexolen("info " + dir.file("both.3ds") + " --points");
    ASSERT_EQ(both.status, 0) << both.err;
    EXPECT_NE(both.err.find("warning: '" + dir.file("both.3ds") + "'"), std::string::npos) << both.err;
    EXPECT_EQ(both.out, full.out);

    // Converting keeps what was read and passes the warning on.
    const Outcome c = pexolen("convert " + dir.file("first.3ds") + " " + dir.file("first.om"));
    ASSERT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.err, first.err);
    EXPECT_EQ(testutil::readFile(dir.file("first.om")).size(), 12u + 25 * 3 + 12);
}

TEST(CommandLineModels, CorpusFilesAndAFileWithoutTheEnding)
{
    SKIP_WITHOUT_CORPUS(dir, "3ds");
    Outcome r = pexolen("info " + dir + "/cube_with_materials.3ds");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("points 8 faces 12 bbox ", 0), 0u) << r.out;
    r = pexolen("info " + dir + "/RotatingCube.3DS");
    EXPECT_EQ(r.out.rfind("points 26 faces 12 ", 0), 0u) << r.out;
    for (const char* bad : {"empty.3ds", "wrong.3ds"}) {
        r = pexolen("info " + dir + "/" + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
    }
    r = pexolen("info " + dir + "/testFormatDetection");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("not a model file"), std::string::npos) << r.err;
}

}  // namespace

#include <gtest/gtest.h>

#include <random>

#include "mesh/model_file.h"
#include "tests/app/run_pexolen.h"
#include "tests/mesh/model_samples.h"
#include "tools/threeds_writer.h"

namespace {

using testutil::Outcome;
using testutil::pexolen;

// The cube written as the program's own file, with the points and faces the
// samples hold: the fit leaves a cube filling the box as it is.
void writeCubeOM(const std::string& path)
{
    Component3D cube;
    for (int i = 0; i < 8; ++i)
        cube.addPoint(new Point3D(samples::Cube::coord(i, 0), samples::Cube::coord(i, 1),
                                  samples::Cube::coord(i, 2)));
    for (const auto& f : samples::Cube::faces)
        cube.faces.push_back(std::make_unique<Triangle3D>(
            cube.points[size_t(f[0])].get(), cube.points[size_t(f[1])].get(),
            cube.points[size_t(f[2])].get()));
    ASSERT_TRUE(ovek::saveModel(path.c_str(), &cube));
}

TEST(CommandLineLibraryModels, AStereogramFromEveryFormatEqualsTheOneFromTheNativeFile)
{
    testutil::TempDir dir;
    writeCubeOM(dir.file("cube.om"));
    const std::string size = " --size 320x200 -q --threads 1 -o ";
    const Outcome native = pexolen("produce --model " + dir.file("cube.om") + size +
                                   dir.file("native.bmp"));
    ASSERT_EQ(native.status, 0) << native.err;
    const std::string expected = testutil::readFile(dir.file("native.bmp"));
    int n = 0;
    for (const samples::Sample& s : samples::cubeSamples()) {
        const std::string model = dir.file("cube" + std::to_string(n++) + s.ending);
        testutil::writeFile(model, s.bytes);
        const Outcome r = pexolen("produce --model " + model + size + dir.file("out.bmp"));
        ASSERT_EQ(r.status, 0) << model << ": " << r.err;
        EXPECT_TRUE(testutil::readFile(dir.file("out.bmp")) == expected) << model;
    }
}

TEST(CommandLineLibraryModels, ThreeDSToEachFormatAndBackKeepsEveryPointAndFace)
{
    threeds::Object a;
    a.vertices = {{0, 0, 0}, {2, 0, 0}, {0, 2, 1}, {2, 2, 1}};
    a.faces = {{0, 1, 2}, {2, 1, 3}};
    testutil::TempDir dir;
    testutil::writeFile(dir.file("m.3ds"), threeds::file({a}));
    const Outcome original = pexolen("info --points " + dir.file("m.3ds"));
    ASSERT_EQ(original.status, 0) << original.err;
    for (const char* ending : {".obj", ".STL", ".ply", ".om"}) {
        const std::string out = dir.file(std::string("m") + ending);
        const Outcome c = pexolen("convert " + dir.file("m.3ds") + " " + out);
        ASSERT_EQ(c.status, 0) << ending << ": " << c.err;
        const Outcome back = pexolen("info --points " + out);
        ASSERT_EQ(back.status, 0) << ending << ": " << back.err;
        EXPECT_EQ(back.out, original.out) << ending;
    }
    // And between the library's formats.
    ASSERT_EQ(pexolen("convert " + dir.file("m.STL") + " " + dir.file("n.ply")).status, 0);
    EXPECT_EQ(pexolen("info --points " + dir.file("n.ply")).out, original.out);
}

TEST(CommandLineLibraryModels, HostileFilesAreRefusedWithReasonsAndStatusTwo)
{
    testutil::TempDir dir;
    const std::pair<const char*, std::string> files[] = {
        {"huge.ply", "ply\nformat ascii 1.0\nelement vertex 2147483648\nproperty float x\n"
                     "property float y\nproperty float z\nend_header\n0 0 0\n"},
        {"cut.stl", samples::cubeSTLBinary().substr(0, 300)},
        {"zero.glb", std::string(64, '\0')},
        {"lines.obj", "v 0 0 0\nv 1 0 0\nl 1 2\n"},
    };
    std::mt19937 random(2);
    std::string noise(2000, ' ');
    for (char& c : noise)
        c = char(random());
    for (const auto& [name, bytes] : files) {
        testutil::writeFile(dir.file(name), bytes);
        testutil::writeFile(dir.file(std::string("noise-") + name), noise);
        for (const std::string& file : {std::string(name), std::string("noise-") + name}) {
            const Outcome r = pexolen("info " + dir.file(file));
            EXPECT_EQ(r.status, 2) << file << ": " << r.out;
            EXPECT_EQ(r.err.rfind("pexolen: cannot read '" + dir.file(file) + "': ", 0), 0u)
                << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_EQ(pexolen("convert " + dir.file(file) + " " + dir.file("o.obj")).status, 2);
            EXPECT_FALSE(std::filesystem::exists(dir.file("o.obj")));
        }
    }
    EXPECT_NE(pexolen("info " + dir.file("lines.obj")).err.find("no triangles"),
              std::string::npos);
    EXPECT_NE(pexolen("info " + dir.file("cut.stl")).err.find("not a valid STL"),
              std::string::npos);
}

TEST(CommandLineLibraryModels, AModelWritesOnlyToModelEndings)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("c.off"), samples::cubeOFF());
    Outcome r = pexolen("convert " + dir.file("c.off") + " " + dir.file("c.dae"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(".om, .obj, .stl or .ply"), std::string::npos) << r.err;
    r = pexolen("convert " + dir.file("c.off") + " " + dir.file("c.png"));
    EXPECT_EQ(r.status, 1);
    // A picture is not turned into a model.
    r = pexolen("convert " + std::string(PEXOLEN_SOURCE_DIR) + "/demo/depth.bmp " +
                dir.file("d.obj"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot be written as a model"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("d.obj")));
}

}  // namespace

// Files through the real binary: output formats by name, pipes, replaced
// files, Ctrl-C, the progress line and run.sh.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "image/image.h"
#include "image/picture_reader.h"
#include "tests/app/run_pexolen.h"

namespace {

using testutil::Outcome;
using testutil::pexolen;

std::unique_ptr<ovek::Image> decode(const std::string& bytes)
{
    auto img = std::make_unique<ovek::Image>(nullptr, 1, 1);
    EXPECT_TRUE(ovek::decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                    *img));
    return img;
}

double meanDifference(const ovek::Image& a, const ovek::Image& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        sum += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
    return sum / double(a.pixels.size());
}

std::vector<std::string> namesIn(const testutil::TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat st = {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// A 200 x 150 grey ramp with a brighter square: a depth picture with some shape.
void writeDepthPicture(const std::string& path)
{
    ovek::Image img(nullptr, 200, 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const int v = (x > 60 && x < 140 && y > 40 && y < 110) ? 200 : x / 2;
            img.setColor(x, y, v, v, v);
        }
    ASSERT_TRUE(img.writePNGFile(path));
}

TEST(CommandLineFiles, TheOutputFormatFollowsTheEndingInAnyCaseOrFormat)
{
    testutil::TempDir dir;
    const std::string produce = "produce -q --size 160x100 -o ";
    ASSERT_EQ(pexolen(produce + dir.file("ref.bmp")).status, 0);
    const auto ref = decode(testutil::readFile(dir.file("ref.bmp")));
    struct Case {
        std::string output;   // and any further option
        std::string start;    // the file's first bytes
        bool lossless;
    } cases[] = {
        {"s.BMP", "BM", true},
        {"s.png", "\x89PNG", true},
        {"s.Png", "\x89PNG", true},
        {"s.jpg", "\xff\xd8\xff", false},
        {"s.JPEG", "\xff\xd8\xff", false},
        {"s.ppm", "P6\n160 100\n255\n", true},
        {"s.PnM", "P6\n160 100\n255\n", true},
        {"s.png --format=PNG", "\x89PNG", true},
        {"s.picture --format jpg", "\xff\xd8\xff", false},
    };
    for (const Case& c : cases) {
        const Outcome r = pexolen(produce + dir.file(c.output));
        ASSERT_EQ(r.status, 0) << c.output << "\n" << r.err;
        EXPECT_EQ(r.out, "") << "--quiet";
        const std::string bytes = testutil::readFile(dir.file(c.output.substr(0, c.output.find(' '))));
        EXPECT_EQ(bytes.substr(0, c.start.size()), c.start) << c.output;
        const auto back = decode(bytes);
        ASSERT_EQ(back->getWidth(), 160) << c.output;
        ASSERT_EQ(back->getHeight(), 100) << c.output;
        if (c.lossless)
            EXPECT_EQ(back->pixels, ref->pixels) << c.output;
        else  // quality 95 keeps this noisy picture within a few levels; 75 would not
            EXPECT_LT(meanDifference(*back, *ref), 4.0) << c.output;
    }
}

TEST(CommandLineFiles, DashReadsStandardInputAndWritesStandardOutput)
{
    testutil::TempDir dir;
    writeDepthPicture(dir.file("d.png"));
    const std::string d = dir.file("d.png");
    ASSERT_EQ(pexolen("produce --depth " + d + " -o " + dir.file("ref.bmp")).status, 0);
    ASSERT_EQ(pexolen("produce --size 160x100 --pattern " + d + " -o " + dir.file("ref.ppm")).status, 0);
    const std::string before = testutil::readFile(d);

    Outcome r = pexolen("produce --depth - -o -", dir.path().string(), d);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, testutil::readFile(dir.file("ref.bmp"))) << "standard output is BMP";
    EXPECT_NE(r.err.find("standard output: 800 x 600"), std::string::npos) << r.err;

    r = pexolen("produce --size 160x100 --pattern - --format ppm -o -", "", d);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, testutil::readFile(dir.file("ref.ppm")));

    r = pexolen("convert --format png - -", "", d);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(1, 3), "PNG");
    EXPECT_EQ(decode(r.out)->pixels, decode(before)->pixels);

    EXPECT_EQ(testutil::readFile(d), before);
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"d.png", "ref.bmp", "ref.ppm"}))
        << "never a file named '-'";
}

TEST(CommandLineFiles, AReplacedFileKeepsItsModeItsLinkAndItsKind)
{
    testutil::TempDir dir;
    const std::string produce = "produce -q --size 160x100 -o ";
    testutil::writeFile(dir.file("shared.bmp"), "old");
    chmod(dir.file("shared.bmp").c_str(), 0640);
    testutil::writeFile(dir.file("real.bmp"), "old");
    chmod(dir.file("real.bmp").c_str(), 0604);
    ASSERT_EQ(symlink("real.bmp", dir.file("link.bmp").c_str()), 0);
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);

    ASSERT_EQ(pexolen(produce + dir.file("shared.bmp")).status, 0);
    ASSERT_EQ(pexolen(produce + dir.file("link.bmp")).status, 0);
    const Outcome r = testutil::runShell("cat pipe >copy.bmp & " + std::string(PEXOLEN_BIN) + " " +
                                             produce + "pipe --format bmp; wait",
                                         dir.path().string());
    ASSERT_EQ(r.status, 0) << r.err;

    EXPECT_EQ(modeOf(dir.file("shared.bmp")), 0640u);
    EXPECT_EQ(testutil::readFile(dir.file("shared.bmp")).substr(0, 2), "BM");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.bmp")));
    EXPECT_EQ(modeOf(dir.file("real.bmp")), 0604u);
    EXPECT_EQ(testutil::readFile(dir.file("real.bmp")), testutil::readFile(dir.file("shared.bmp")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe"))) << "a pipe is written, not replaced";
    EXPECT_EQ(testutil::readFile(dir.file("copy.bmp")), testutil::readFile(dir.file("shared.bmp")));
    EXPECT_EQ(namesIn(dir),
              (std::vector<std::string>{"copy.bmp", "link.bmp", "pipe", "real.bmp", "shared.bmp"}));
}

// Starts pexolen with default signal handling, as a shell's foreground job.
pid_t start(const std::vector<std::string>& args, const std::string& workdir)
{
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGINT, SIG_DFL);
        if (chdir(workdir.c_str()) != 0)
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(PEXOLEN_BIN)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(PEXOLEN_BIN, argv.data());
        _exit(127);
    }
    return pid;
}

TEST(CommandLineFiles, CtrlCLeavesTheOldFileAndNoTemporaryFile)
{
    using namespace std::chrono_literals;
    for (const bool whileWriting : {false, true}) {
        testutil::TempDir dir;
        testutil::writeFile(dir.file("big.png"), "precious");
        const pid_t pid = start({"produce", "-q", "--size", "3000x2000", "-o", "big.png"},
                                dir.path().string());
        ASSERT_GT(pid, 0);
        // While writing: as soon as the temporary file is there (PNG coding takes a while).
        const auto deadline = std::chrono::steady_clock::now() + 120s;
        int status = 0;
        bool exited = false;
        do {
            std::this_thread::sleep_for(whileWriting ? 1ms : 300ms);
            exited = waitpid(pid, &status, WNOHANG) == pid;
        } while (whileWriting && !exited && namesIn(dir).size() < 2 &&
                 std::chrono::steady_clock::now() < deadline);
        if (exited)
            GTEST_SKIP() << "the run ended before it could be interrupted";
        kill(pid, SIGINT);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << "status " << status;
        EXPECT_EQ(namesIn(dir), std::vector<std::string>{"big.png"}) << "writing: " << whileWriting;
        EXPECT_EQ(testutil::readFile(dir.file("big.png")), "precious");
    }
}

TEST(CommandLineFiles, ProgressShowsOnlyOnATerminalForALongRunAndIsCleared)
{
    testutil::TempDir dir;
    // script gives the program a terminal; everything it printed comes back.
    auto onTerminal = [&](const std::string& args) {
        return testutil::runShell("script -qfec \"" + std::string(PEXOLEN_BIN) + " " + args +
                                      "\" /dev/null",
                                  dir.path().string())
            .out;
    };
    const std::string big = "produce --size 2000x1500 -o big.bmp";
    const std::string shown = onTerminal(big);
    double seconds = 0;
    const size_t success = shown.find("big.bmp: 2000 x 1500, ");
    ASSERT_NE(success, std::string::npos) << shown;
    std::sscanf(shown.c_str() + success, "big.bmp: 2000 x 1500, %lf", &seconds);
    if (seconds > 1.5) {
        EXPECT_NE(shown.find("\rproducing: row "), std::string::npos) << shown;
        EXPECT_NE(shown.find(" of 1500 ("), std::string::npos) << shown;
        // Cleared: blanks over the line, then the success line from its start.
        EXPECT_EQ(shown.substr(shown.rfind('\r', success - 2), 3), "\r  ") << shown;
        EXPECT_EQ(shown[success - 1], '\r') << shown;
    }
    EXPECT_EQ(onTerminal("produce --size 300x200 -o small.bmp").find("producing"), std::string::npos)
        << "a short run shows none";
    EXPECT_EQ(onTerminal(big + " --quiet"), "");
    const Outcome piped = pexolen(big, dir.path().string());
    EXPECT_EQ(piped.err, "") << "no progress into a pipe";
}

// run.sh from another folder: a copy of it in a stand-in repository whose
// build is the real binary, with nothing to install or build.
TEST(CommandLineFiles, RunScriptRunsTheProgramInTheCallersFolder)
{
    testutil::TempDir repo, here;
    std::filesystem::create_directories(repo.path() / "scripts");
    std::filesystem::create_directories(repo.path() / "build/release/app");
    std::filesystem::create_directories(repo.path() / "bin");
    std::filesystem::copy_file(std::string(PEXOLEN_SOURCE_DIR) + "/run.sh", repo.file("run.sh"));
    // The real build steps against a stand-in cmake, without installing packages.
    testutil::writeFile(repo.file("scripts/deps.sh"),
                        testutil::readFile(std::string(PEXOLEN_SOURCE_DIR) + "/scripts/deps.sh") +
                            "pexolen_install_deps() { echo deps; }\n");
    testutil::writeFile(repo.file("build/release/CMakeCache.txt"), "");
    testutil::writeFile(repo.file("bin/cmake"), "#!/bin/sh\necho building\n");
    chmod(repo.file("bin/cmake").c_str(), 0755);
    ASSERT_EQ(symlink(PEXOLEN_BIN, repo.file("build/release/app/pexolen").c_str()), 0);
    writeDepthPicture(here.file("d.png"));
    const std::string run = "PATH=" + repo.file("bin") + ":$PATH " + repo.file("run.sh");

    Outcome r = testutil::runShell(run + " produce -q --depth d.png -o s.png", here.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    r = testutil::runShell(run + " produce --depth - -o -", here.path().string(), here.file("d.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 2), "BM") << "only the picture on standard output";
    // Without a display, run.sh alone makes the demonstration stereogram here.
    r = testutil::runShell("env -u DISPLAY " + run, here.path().string());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("stereogram.bmp: 866 x 554"), std::string::npos) << r.out;
    EXPECT_EQ(namesIn(here), (std::vector<std::string>{"d.png", "s.png", "stereogram.bmp"}));
}

}  // namespace

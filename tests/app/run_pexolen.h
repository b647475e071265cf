#pragma once
// Runs the pexolen binary the way a user does: from a shell, in a folder,
// with standard input from a file (none unless given).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "image/image.h"
#include "tests/test_util.h"

namespace testutil {

struct Outcome {
    int status = -1;   // exit status, -1 when it did not exit normally (a crash)
    std::string out;   // standard output
    std::string err;   // standard error
};

// Runs command (a shell command line) and collects what it printed.
inline Outcome runShell(const std::string& command, const std::string& workdir = "",
                        const std::string& input = "/dev/null")
{
    TempDir dir;
    const std::string cd = workdir.empty() ? "" : "cd '" + workdir + "' && ";
    const std::string cmd = cd + "(" + command + ") <'" + input + "' >" + dir.file("out") +
                            " 2>" + dir.file("err");
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("out")),
            readFile(dir.file("err"))};
}

inline Outcome pexolen(const std::string& args, const std::string& workdir = "",
                       const std::string& input = "/dev/null")
{
    return runShell(std::string(PEXOLEN_BIN) + " " + args, workdir, input);
}

// The picture a run wrote (one black pixel, and a test failure, when it
// cannot be read).
inline std::unique_ptr<ovek::Image> loadPicture(const std::string& path)
{
    auto img = std::make_unique<ovek::Image>(nullptr, 1, 1);
    EXPECT_TRUE(img->loadImage(path)) << path;
    return img;
}

}  // namespace testutil

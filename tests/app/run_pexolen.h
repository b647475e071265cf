#pragma once
// Runs the pexolen binary the way a user does, with no standard input.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/test_util.h"

namespace testutil {

struct Outcome {
    int status = -1;   // exit status, -1 when it did not exit normally (a crash)
    std::string out;   // standard output
    std::string err;   // standard error
};

inline Outcome pexolen(const std::string& args, const std::string& workdir = "")
{
    TempDir dir;
    const std::string cd = workdir.empty() ? "" : "cd '" + workdir + "' && ";
    const std::string cmd = cd + std::string(PEXOLEN_BIN) + " " + args + " </dev/null >" +
                            dir.file("out") + " 2>" + dir.file("err");
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("out")),
            readFile(dir.file("err"))};
}

}  // namespace testutil

// The background picture's link to the home page, and the external commands
// it runs: programs started directly (no shell, so an argument is never
// parsed as shell text), waited for on a thread of their own.
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

#include "app/screens.h"

extern char** environ;

namespace ovek {

void runCommand(const std::vector<std::string>& command)
{
    if (command.empty())
        return;
    std::thread([command] {
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        pid_t pid = 0;
        if (int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ)) {
            std::fprintf(stderr, "pexolen: cannot run %s: %s\n", argv[0],
                         std::generic_category().message(error).c_str());
            return;
        }
        // Reaped here so that no finished command is left behind as a zombie.
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

void Screens::linkToOvek()
{
    runCommand({"xdg-open", kHomePage});
}

}  // namespace ovek

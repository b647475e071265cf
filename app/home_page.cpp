// The help page, opened from the background picture and by F1, and the
// external commands that open it: programs started directly (no shell, so an
// argument is never parsed as shell text).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>

#include "app/data_files.h"
#include "app/screens.h"
#include "base/translation.h"
#include "toolkit/platform.h"

extern char** environ;

namespace ovek {

namespace {

constexpr int kVirtualKeyF1 = 0x70;
// How long xdg-open may take to hand the page over before it counts as done:
// desktops' openers return at once, a browser run in its place does not.
constexpr auto kOpenerVerdict = std::chrono::milliseconds(1500);

// Started, or the reason it could not be.
bool spawn(const std::vector<std::string>& command, pid_t* pid, std::string* reason)
{
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (int error = posix_spawnp(pid, argv[0], nullptr, nullptr, argv.data(), environ)) {
        *reason = command[0] + ": " + std::generic_category().message(error);
        return false;
    }
    return true;
}

// Reaped on a thread of its own, so that no finished command is left behind
// as a zombie.
void reapLater(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

void runCommand(const std::vector<std::string>& command)
{
    if (command.empty())
        return;
    std::thread([command] {
        pid_t pid = 0;
        std::string reason;
        if (!spawn(command, &pid, &reason)) {
            std::fprintf(stderr, "pexolen: cannot run %s\n", reason.c_str());
            return;
        }
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

void openHelp(Platform& platform)
{
    const std::string page = findHelpPage();
    pid_t pid = 0;
    std::string reason;
    if (spawn({"xdg-open", page}, &pid, &reason)) {
        // A failing opener says so with its exit status; one still running
        // after a moment is showing the page.
        const auto deadline = std::chrono::steady_clock::now() + kOpenerVerdict;
        int status = 0;
        pid_t done = 0;
        while ((done = waitpid(pid, &status, WNOHANG)) == 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (done == 0) {
            reapLater(pid);
            return;
        }
        if (done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
            return;
        reason = "xdg-open: " + (done == pid && WIFEXITED(status)
                                     ? "exit status " + std::to_string(WEXITSTATUS(status))
                                     : std::string("ended abnormally"));
    }
    platform.showMessage("Pexolen",
                         trFormat("The help page could not be opened (%s).\n"
                                  "Open it in a web browser: %s",
                                  reason, page)
                             .c_str());
}

void Screens::linkToOvek()
{
    openHelp(platform);
}

void Screens::keyUp(int key, EventObject* source, InputMods mods)
{
    if (key == kVirtualKeyF1 && source == platform.getRootComponent())
        openHelp(platform);
    if (key == 'P' && mods.ctrl && main_state == MAIN_STATE_MODEL &&
        source == platform.getRootComponent()) {
        livePreviewShown = !livePreviewShown;
        platform.repaint();
    }
}

}  // namespace ovek

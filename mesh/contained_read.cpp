#include "mesh/contained_read.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "mesh/mesh_wire.h"

namespace ovek {

namespace {

using Clock = std::chrono::steady_clock;

// Fields of /proc/PID/statm in bytes: 0 the address space, 1 the resident set.
size_t statmBytes(pid_t pid, int field)
{
    const std::string path = pid ? "/proc/" + std::to_string(pid) + "/statm" : "/proc/self/statm";
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f)
        return 0;
    unsigned long v[2] = {0, 0};
    const int got = std::fscanf(f, "%lu %lu", &v[0], &v[1]);
    std::fclose(f);
    return got == 2 ? size_t(v[field]) * size_t(sysconf(_SC_PAGESIZE)) : 0;
}

void writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += size_t(n);
    }
}

// The child's side: never returns.
[[noreturn]] void runChild(int fd, pid_t parent,
                           const std::function<FileResult(MeshData&)>& read,
                           const ContainLimits& limits)
{
    // Gone with the parent, whatever kills it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(1);
    // The parent's standard streams are not the child's to use: a file naming
    // /dev/stdin reads nothing, and what a failing reader prints (a
    // sanitizer's report, the C library's complaint about a damaged heap)
    // goes nowhere; the parent reports the failure on one line.
    if (int null = open("/dev/null", O_RDWR); null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        close(null);
    }
    rlimit none = {0, 0};
    setrlimit(RLIMIT_CORE, &none);
    const rlim_t cpu = rlim_t(limits.seconds) + 2;
    rlimit cpuLimit = {cpu, cpu};
    setrlimit(RLIMIT_CPU, &cpuLimit);
    // A hard stop for new memory; the parent's watch on the resident set
    // covers what reserved address space (a sanitizer's) would let through.
    if (const size_t have = statmBytes(0, 0); have && have < SIZE_MAX - limits.memoryBytes) {
        rlimit as = {rlim_t(have + limits.memoryBytes), rlim_t(have + limits.memoryBytes)};
        setrlimit(RLIMIT_AS, &as);
    }
    std::string answer;
    try {
        MeshData data;
        FileResult r = read(data);
        if (r && data.warning.empty())
            data.warning = r.warning;
        answer = encodeMeshWire(r, data);
    } catch (const std::bad_alloc&) {
        answer = encodeMeshWire(
            FileResult::failure("reading the file needs more than the " +
                                std::to_string(limits.memoryBytes >> 20) + " MiB allowed"),
            MeshData());
    } catch (...) {
        answer = encodeMeshWire(FileResult::failure("the reader stopped with an error"),
                                MeshData());
    }
    writeAll(fd, answer);
    // The parent has its answer now, not only once this process is torn down.
    close(fd);
    // No exit handlers: they belong to the parent (its files, its window).
    _exit(0);
}

std::string signalText(int sig)
{
    const char* name = sig == SIGSEGV   ? "a memory fault"
                       : sig == SIGABRT ? "an abort"
                       : sig == SIGBUS  ? "a bus error"
                       : sig == SIGFPE  ? "an arithmetic fault"
                       : sig == SIGILL  ? "an illegal instruction"
                       : sig == SIGXCPU ? "its processor time running out"
                       : sig == SIGKILL ? "being killed"
                                        : "a signal";
    return std::string(name) + ", signal " + std::to_string(sig);
}

}  // namespace

FileResult readContained(const std::function<FileResult(MeshData&)>& read,
                         const ContainLimits& limits, MeshData& out)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return FileResult::failure(std::string("cannot start the reading process: ") +
                                   std::strerror(errno));
    // What the child shares with the parent at the fork is resident already;
    // only what it adds counts against the limit.
    const size_t inherited = statmBytes(0, 1);
    const pid_t parent = getpid();
    std::fflush(nullptr);   // nothing buffered is written twice
    const pid_t pid = fork();
    if (pid < 0) {
        const int e = errno;
        close(fds[0]);
        close(fds[1]);
        return FileResult::failure(std::string("cannot start the reading process: ") +
                                   std::strerror(e));
    }
    if (pid == 0) {
        close(fds[0]);
        runChild(fds[1], parent, read, limits);
    }
    close(fds[1]);

    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(limits.seconds));
    const size_t maxBytes = maxMeshWireBytes();
    std::string answer;
    std::string stop;   // why the child was stopped, if it was
    char buffer[1 << 16];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                                Clock::now());
        if (left.count() <= 0) {
            stop = "reading the file took longer than " +
                   std::to_string(int(limits.seconds + 0.5)) + " s; it may be damaged";
            break;
        }
        if (inherited && statmBytes(pid, 1) > inherited + limits.memoryBytes) {
            stop = "reading the file needs more than the " +
                   std::to_string(limits.memoryBytes >> 20) + " MiB allowed";
            break;
        }
        // Short waits, so that the memory watch sees a child that sends nothing.
        pollfd p = {fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, int(std::min<long long>(left.count(), 20)));
        if (ready < 0 && errno != EINTR) {
            stop = std::string("cannot wait for the reading process: ") + std::strerror(errno);
            break;
        }
        if (ready <= 0)
            continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;   // the child is done, or gone
        if (answer.size() + size_t(n) > maxBytes) {
            stop = "the reading process sent more than any model within the limits needs";
            break;
        }
        answer.append(buffer, size_t(n));
    }
    close(fds[0]);
    int status = 0;
    if (!stop.empty()) {
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return FileResult::failure(stop);
    }
    // The child closes its end only by exiting; a child that closed it and
    // lives on is stopped when the time is up.
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return FileResult::failure("the reading process did not end in time");
        }
        usleep(1000);
    }
    if (WIFSIGNALED(status))
        return FileResult::failure("the reader failed on this file (" +
                                   signalText(WTERMSIG(status)) + "); it is damaged or not " +
                                   "what its name says");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return FileResult::failure("the reader failed on this file (it stopped with status " +
                                   std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                                   "); it is damaged or not what its name says");
    MeshData data;
    FileResult r = decodeMeshWire(answer, data);
    if (r)
        out = std::move(data);
    return r;
}

}  // namespace ovek

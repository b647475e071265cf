#include "base/atomic_file.h"

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace ovek {

namespace {

std::string reasonFromErrno(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

// The temporary file of the write in progress, for the signal handler. One
// write at a time uses it; a concurrent one keeps its name to itself.
const int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic_flag pendingTaken = ATOMIC_FLAG_INIT;
char pendingName[4096];
volatile std::sig_atomic_t pendingSet = 0;

extern "C" void removePendingAndRaise(int sig)
{
    if (pendingSet)
        unlink(pendingName);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// The temporary name, published for the handler while the file exists.
class TemporaryName {
public:
    explicit TemporaryName(const std::string& target) : own_(target + ".XXXXXX")
    {
        if (own_.size() < sizeof pendingName && !pendingTaken.test_and_set()) {
            std::memcpy(pendingName, own_.c_str(), own_.size() + 1);
            shared_ = true;
        }
    }
    ~TemporaryName()
    {
        if (shared_) {
            pendingSet = 0;
            pendingTaken.clear();
        }
    }
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    // mkstemp on the name. The handler learns of the file as it comes to be:
    // the signals wait while it is made and published.
    int create()
    {
        sigset_t blocked, old;
        sigemptyset(&blocked);
        for (int sig : kCleanupSignals)
            sigaddset(&blocked, sig);
        pthread_sigmask(SIG_BLOCK, &blocked, &old);
        const int fd = mkstemp(name());
        if (fd >= 0 && shared_)
            pendingSet = 1;
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        return fd;
    }
    // After a rename or unlink the name no longer holds our file.
    void forget()
    {
        if (shared_)
            pendingSet = 0;
    }
    char* name() { return shared_ ? pendingName : own_.data(); }

private:
    std::string own_;
    bool shared_ = false;
};

bool isWriteProtected(const struct stat& st, const std::string& path)
{
    return (st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0;
}

// Devices and pipes cannot be replaced; what is written goes straight in.
FileResult writeInPlace(const std::string& path, const std::function<bool(std::FILE*)>& write)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return FileResult::failure(reasonFromErrno("cannot open the file"));
    const bool ok = write(f) && std::fflush(f) == 0 && !std::ferror(f);
    if (std::fclose(f) != 0 || !ok)
        return FileResult::failure("cannot write the file");
    return FileResult::success();
}

// A new file gets the usual permissions; a replaced one keeps its own.
void setPermissions(int fd, bool replacing, const struct stat& old)
{
    if (replacing) {
        // Changing the owner clears set-id bits, so the mode comes after it.
        // Only root may give a file away; otherwise the writer keeps it.
        if (fchown(fd, old.st_uid, old.st_gid) != 0)
            errno = 0;
        fchmod(fd, old.st_mode & 07777);
        return;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
}

}  // namespace

FileResult checkWritable(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return FileResult::failure("it is a folder");
        if (isWriteProtected(st, path))
            return FileResult::failure("the file is write-protected");
        return FileResult::success();
    }
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return FileResult::failure("its folder does not exist");
    if (access(folder.c_str(), W_OK | X_OK) != 0)
        return FileResult::failure("its folder cannot be written");
    return FileResult::success();
}

FileResult writeFileAtomically(const std::string& path,
                               const std::function<bool(std::FILE*)>& write)
{
    if (FileResult r = checkWritable(path); !r)
        return r;
    struct stat st;
    const bool replacing = stat(path.c_str(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode))
        return writeInPlace(path, write);
    // Through a link, the file it points at is the one replaced.
    std::string target = path;
    struct stat link;
    if (replacing && lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        std::error_code ec;
        const std::filesystem::path real = std::filesystem::canonical(path, ec);
        if (!ec)
            target = real.string();
    }

    TemporaryName tmp(target);
    const int fd = tmp.create();
    if (fd < 0)
        return FileResult::failure(reasonFromErrno("cannot create the file"));
    setPermissions(fd, replacing, st);
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        FileResult r = FileResult::failure(reasonFromErrno("cannot create the file"));
        close(fd);
        unlink(tmp.name());
        return r;
    }
    bool ok = write(f);
    ok = ok && std::fflush(f) == 0 && !std::ferror(f);
    const int savedErrno = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        errno = savedErrno ? savedErrno : EIO;
        FileResult r = FileResult::failure(reasonFromErrno("cannot write the file"));
        unlink(tmp.name());
        tmp.forget();
        return r;
    }
    if (std::rename(tmp.name(), target.c_str()) != 0) {
        FileResult r = FileResult::failure(reasonFromErrno("cannot replace the file"));
        unlink(tmp.name());
        tmp.forget();
        return r;
    }
    tmp.forget();
    return FileResult::success();
}

void removeTemporaryFileOnSignal()
{
    for (int sig : kCleanupSignals) {
        struct sigaction old;
        if (sigaction(sig, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
            continue;
        struct sigaction sa = {};
        sa.sa_handler = removePendingAndRaise;
        sigemptyset(&sa.sa_mask);
        sigaction(sig, &sa, nullptr);
    }
}

FileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return FileResult::failure(reasonFromErrno("cannot open the file"));
    FileResult r = readWholeStream(f, maxBytes, out);
    std::fclose(f);
    return r;
}

FileResult readWholeStream(std::FILE* f, size_t maxBytes, std::string& out)
{
    out.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (out.size() + n > maxBytes) {
            out.clear();
            return FileResult::failure("the file is too large");
        }
        out.append(buf, n);
    }
    if (std::ferror(f))
        return FileResult::failure("cannot read the file");
    return FileResult::success();
}

}  // namespace ovek

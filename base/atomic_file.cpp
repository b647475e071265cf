#include "base/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <sys/stat.h>

namespace ovek {

namespace {

std::string reasonFromErrno(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

FileResult writeFileAtomically(const std::string& path,
                               const std::function<bool(std::FILE*)>& write)
{
    std::string tmp = path + ".XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0)
        return FileResult::failure(reasonFromErrno("cannot create the file"));
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        FileResult r = FileResult::failure(reasonFromErrno("cannot create the file"));
        close(fd);
        unlink(tmp.c_str());
        return r;
    }
    bool ok = write(f);
    ok = ok && std::fflush(f) == 0 && !std::ferror(f);
    const int savedErrno = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        errno = savedErrno ? savedErrno : EIO;
        FileResult r = FileResult::failure(reasonFromErrno("cannot write the file"));
        unlink(tmp.c_str());
        return r;
    }
    // mkstemp makes the file private; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(tmp.c_str(), 0666 & ~mask);
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        FileResult r = FileResult::failure(reasonFromErrno("cannot replace the file"));
        unlink(tmp.c_str());
        return r;
    }
    return FileResult::success();
}

FileResult readWholeFile(const std::string& path, size_t maxBytes, std::string& out)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return FileResult::failure(reasonFromErrno("cannot open the file"));
    out.clear();
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
        if (out.size() + n > maxBytes) {
            std::fclose(f);
            out.clear();
            return FileResult::failure("the file is too large");
        }
        out.append(buf, n);
    }
    const bool failed = std::ferror(f);
    std::fclose(f);
    if (failed)
        return FileResult::failure("cannot read the file");
    return FileResult::success();
}

}  // namespace ovek

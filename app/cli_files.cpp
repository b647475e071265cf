#include "app/cli_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/atomic_file.h"
#include "image/image.h"
#include "image/picture_reader.h"

namespace ovek {

namespace {

bool sameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec)
        return a == b;
    const fs::path cb = fs::weakly_canonical(b, ec);
    return ec ? a == b : ca == cb;
}

}  // namespace

FileResult loadPicture(const std::string& path, Image& img)
{
    if (path != "-")
        return img.loadImage(path);
    std::string bytes;
    FileResult r = readWholeStream(stdin, kMaxPictureFileBytes, bytes);
    if (r)
        r = decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), img);
    return r;
}

int checkInputs(const CommandSpec& command, const std::vector<std::string>& inputs)
{
    int fromStdin = 0;
    for (const std::string& in : inputs)
        fromStdin += in == "-";
    if (fromStdin > 1)
        return commandUsageError(command, "only one input can come from standard input");
    if (fromStdin == 1 && isatty(STDIN_FILENO))
        return commandUsageError(command,
                                 "standard input is a terminal; pipe a picture into it "
                                 "(< picture.png)");
    return kExitOk;
}

int checkOutputFile(const CommandSpec& command, const std::string& path,
                    const std::vector<std::string>& inputs)
{
    for (const std::string& in : inputs)
        if (in != "-" && sameFile(path, in))
            return commandUsageError(command, "the output '" + path +
                                                  "' is the same file as the input '" + in +
                                                  "'; writing it would destroy the input");
    if (FileResult r = checkWritable(path); !r)
        return failWrite(path, r.error);
    return kExitOk;
}

int preparePictureOutput(const CommandSpec& command, const std::string& path,
                         const std::string& formatName, const std::vector<std::string>& inputs,
                         PictureOutput& out)
{
    out.path = path;
    PictureFormat byName = PictureFormat::BMP;
    const bool named = path != "-" && pictureFormatOfName(path, &byName);
    if (!formatName.empty()) {
        if (!pictureFormatNamed(formatName, &out.format))
            return commandUsageError(command, "--format takes " + std::string(kPictureFormatNames) +
                                                  ", not '" + formatName + "'");
        if (named && byName != out.format)
            return commandUsageError(command, "'" + path + "' is named as a " +
                                                  pictureFormatName(byName) +
                                                  " file but --format asks for " + formatName);
    } else if (named) {
        out.format = byName;
    } else if (path != "-") {
        return commandUsageError(command, "cannot tell the picture format of '" + path +
                                              "' from its name: end it in " + kPictureEndings +
                                              ", or choose with --format " + kPictureFormatNames);
    }
    if (path != "-")
        return checkOutputFile(command, path, inputs);
    if (isatty(STDOUT_FILENO))
        return commandUsageError(command,
                                 "standard output is a terminal; send the picture to a file or "
                                 "a pipe (> out.bmp), or name a file with -o");
    return kExitOk;
}

int writePictureOutput(const Image& img, const PictureOutput& out)
{
    if (out.path != "-") {
        const FileResult r = writePictureFile(img, out.format, out.path);
        return r ? kExitOk : failWrite(out.path, r.error);
    }
    errno = 0;
    if (writePicture(img, out.format, stdout) && std::fflush(stdout) == 0)
        return kExitOk;
    return failWrite(out.path, errno ? std::strerror(errno) : "the picture is empty");
}

}  // namespace ovek

#pragma once
// Inputs and outputs of the commands: "-" for standard input or output,
// pictures written in the format their name or --format asks for, and the
// checks made before any work so that no input is ever overwritten.
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "base/file_result.h"
#include "image/picture_writer.h"

namespace ovek {

class Image;

// Reads a picture from path, or from standard input for "-"; the format is
// told by the content.
FileResult loadPicture(const std::string& path, Image& img);

// At most one input may be "-", and only when standard input is not a
// terminal. kExitOk or the status already reported.
int checkInputs(const CommandSpec& command, const std::vector<std::string>& inputs);

// The output file names none of inputs (same path, or same device and
// inode) and can be written. kExitOk or the status already reported.
int checkOutputFile(const CommandSpec& command, const std::string& path,
                    const std::vector<std::string>& inputs);

struct PictureOutput {
    std::string path;                            // "-": standard output
    PictureFormat format = PictureFormat::BMP;
};

// Settles the format (formatName when given, else the name's ending; BMP for
// standard output) and checks the output as checkOutputFile does; standard
// output must not be a terminal. kExitOk or the status already reported.
int preparePictureOutput(const CommandSpec& command, const std::string& path,
                         const std::string& formatName, const std::vector<std::string>& inputs,
                         PictureOutput& out);

// kExitOk, or kExitBadOutput once the reason was reported.
int writePictureOutput(const Image& img, const PictureOutput& out);

}  // namespace ovek

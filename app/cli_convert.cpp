#include "app/cli.h"
#include "app/cli_files.h"
#include "image/image.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

const CommandSpec kConvert = {
    "convert",
    "Usage: pexolen convert [--format FORMAT] INPUT OUTPUT\n"
    "\n"
    "Writes a picture in another format, or a model as the program's model file.\n"
    "\n"
    "  INPUT              a picture (BMP, PNG, JPEG, GIF or PNM, told by\n"
    "                     content; '-' reads standard input), or a model whose\n"
    "                     name ends in .3ds or .om\n"
    "  OUTPUT             for a picture, a name ending in .bmp, .png, .jpg or\n"
    "                     .jpeg (quality 95), .ppm or .pnm; '-' writes to standard\n"
    "                     output. For a model, a name ending in .om.\n"
    "  --format FORMAT    bmp, png, jpg or ppm (default: by the ending; bmp for\n"
    "                     standard output)\n"
    "  -h, --help         this text\n"
    "\n"
    "Examples:\n"
    "  pexolen convert scan.jpg depth.png\n"
    "  pexolen convert model.3ds model.om\n"
    "  pexolen convert depth.bmp - --format ppm | pnmscale 0.5 > small.ppm\n",
    {{"--format", nullptr, true}},
    2,
};

// A model is read as `pexolen info` reads it and written as a native model file.
int convertModel(const std::string& in, const std::string& out)
{
    if (!endsWithNoCase(out, ".om"))
        return commandUsageError(kConvert, "a model converts only to a file ending in .om, not '" +
                                               out + "'");
    if (int status = checkOutputFile(kConvert, out, {in}); status != kExitOk)
        return status;
    Component3D mesh;
    const FileResult read = openModelFile(in, &mesh);
    if (!read)
        return failRead(in, read.error);
    warnRead(in, read.warning);
    if (FileResult r = saveModel(out.c_str(), &mesh); !r)
        return failWrite(out, r.error);
    return kExitOk;
}

}  // namespace

int runConvert(const Args& args)
{
    ParsedArgs parsed;
    if (int status = parseArgs(kConvert, args, parsed); status != kContinue)
        return status;
    if (parsed.operands.size() != 2)
        return commandUsageError(kConvert, "convert takes an input and an output file");
    const std::string& in = parsed.operands[0];
    const std::string& out = parsed.operands[1];
    const std::string format = parsed.options.empty() ? "" : parsed.options.back().second;
    if (modelKindOf(in) != ModelKind::None) {
        if (!format.empty())
            return commandUsageError(kConvert, "--format is for pictures; a model converts to .om");
        return convertModel(in, out);
    }
    if (format.empty() && (endsWithNoCase(out, ".om") || endsWithNoCase(out, ".3ds")))
        return commandUsageError(kConvert, "a picture cannot be written as a model: '" + out +
                                               "' needs a picture ending (" + kPictureEndings + ")");
    if (int status = checkInputs(kConvert, {in}); status != kExitOk)
        return status;
    PictureOutput output;
    if (int status = preparePictureOutput(kConvert, out, format, {in}, output); status != kExitOk)
        return status;
    Image img(nullptr, 1, 1);
    if (FileResult r = loadPicture(in, img); !r)
        return failRead(in, r.error);
    return writePictureOutput(img, output);
}

}  // namespace ovek

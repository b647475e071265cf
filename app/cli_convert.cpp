#include "app/cli.h"
#include "app/cli_files.h"
#include "image/image.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"
#include "mesh/model_writers.h"

namespace ovek {

namespace {

const CommandSpec kConvert = {
    "convert",
    "Usage: pexolen convert [--format FORMAT] INPUT OUTPUT\n"
    "\n"
    "Writes a picture in another format, or a model in another model format.\n"
    "\n"
    "  INPUT              a picture (BMP, PNG, JPEG, GIF or PNM, told by\n"
    "                     content; '-' reads standard input), or a model whose\n"
    "                     name ends in .3ds, .om, .obj, .stl, .ply, .gltf, .glb,\n"
    "                     .off, .fbx or .dae (read as 'pexolen info' reads it)\n"
    "  OUTPUT             for a picture, a name ending in .bmp, .png, .jpg or\n"
    "                     .jpeg (quality 95), .ppm or .pnm; '-' writes to standard\n"
    "                     output. For a model, a name ending in .om (the program's\n"
    "                     model file), .obj, .stl (binary) or .ply (binary).\n"
    "  --format FORMAT    bmp, png, jpg or ppm (default: by the ending; bmp for\n"
    "                     standard output)\n"
    "  -h, --help         this text\n"
    "\n"
    "Examples:\n"
    "  pexolen convert scan.jpg depth.png\n"
    "  pexolen convert model.3ds model.om\n"
    "  pexolen convert part.stl part.obj\n"
    "  pexolen convert depth.bmp - --format ppm | pnmscale 0.5 > small.ppm\n",
    {{"--format", nullptr, true}},
    2,
};

// The endings a model can be written to.
bool isModelOutputName(const std::string& path)
{
    return endsWithNoCase(path, ".om") || modelWriteFormatOf(path) != ModelWriteFormat::Native;
}

// A model is read as `pexolen info` reads it and written in the format its
// output's name asks for.
int convertModel(const std::string& in, const std::string& out)
{
    if (!isModelOutputName(out))
        return commandUsageError(kConvert, "a model converts only to a file ending in .om, .obj, "
                                           ".stl or .ply, not '" + out + "'");
    if (int status = checkOutputFile(kConvert, out, {in}); status != kExitOk)
        return status;
    Component3D mesh;
    const FileResult read = openModelFile(in, &mesh);
    if (!read)
        return failRead(in, read.error);
    warnRead(in, read.warning);
    if (FileResult r = saveModelFile(out, mesh); !r)
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
            return commandUsageError(kConvert, "--format is for pictures; a model's format is "
                                               "told by the output's ending");
        return convertModel(in, out);
    }
    if (format.empty() && (isModelOutputName(out) || modelKindOf(out) != ModelKind::None))
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

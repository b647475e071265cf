#include "app/cli.h"
#include "image/image.h"
#include "mesh/model_file.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

// A model is read as `pexolen info` reads it and written as a native model file.
int convertModel(const std::string& in, const std::string& out)
{
    if (!endsWithNoCase(out, ".om"))
        return usageError("a model converts only to a .om file");
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
    if (args.size() != 2)
        return usageError("convert takes an input and an output file");
    const std::string& in = args[0];
    const std::string& out = args[1];
    if (modelKindOf(in) != ModelKind::None)
        return convertModel(in, out);
    Image img(nullptr, 1, 1);
    if (FileResult r = img.loadImage(in); !r)
        return failRead(in, r.error);
    const FileResult r = endsWithNoCase(out, ".png") ? img.writePNGFile(out) : img.writeBMPFile(out);
    if (!r)
        return failWrite(out, r.error);
    return kExitOk;
}

}  // namespace ovek

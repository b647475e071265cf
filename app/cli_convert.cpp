#include "app/cli.h"
#include "image/image.h"

namespace ovek {

int runConvert(const Args& args)
{
    if (args.size() != 2)
        return usageError("convert takes an input and an output file");
    const std::string& in = args[0];
    const std::string& out = args[1];
    Image img(nullptr, 1, 1);
    if (FileResult r = img.loadImage(in); !r)
        return failRead(in, r.error);
    const FileResult r = endsWithNoCase(out, ".png") ? img.writePNGFile(out) : img.writeBMPFile(out);
    if (!r)
        return failWrite(out, r.error);
    return kExitOk;
}

}  // namespace ovek

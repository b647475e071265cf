#include <chrono>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "app/cli.h"
#include "app/data_files.h"
#include "engine/triangle_model.h"
#include "production/production.h"
#include "image/image.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

struct ProduceOptions {
    std::string pattern;     // empty: the default pattern
    std::string depth;       // depth-picture mode when set
    std::string model;       // empty: the default model
    int width = 866;         // mesh mode picture size (the model editor's at start-up)
    int height = 554;
    bool sizeGiven = false;
    std::string output = "stereogram.bmp";
};

bool parseSize(const std::string& text, int& w, int& h)
{
    long long a = 0, b = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%lld%c%lld%c", &a, &x, &b, &extra) != 3 || (x != 'x' && x != 'X'))
        return false;
    if (a < 1 || b < 1 || a > kMaxProduceSide || b > kMaxProduceSide)
        return false;
    w = int(a);
    h = int(b);
    return true;
}

// Returns kExitOk or the status of the usage error already reported.
int parseOptions(const Args& args, ProduceOptions& o)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--pattern" && a != "--depth" && a != "--model" && a != "--size" && a != "-o")
            return usageError("produce: unknown option '" + a + "'");
        if (i + 1 >= args.size())
            return usageError("produce: " + a + " needs a value");
        const std::string& value = args[++i];
        if (a == "--pattern")
            o.pattern = value;
        else if (a == "--depth")
            o.depth = value;
        else if (a == "--model")
            o.model = value;
        else if (a == "-o")
            o.output = value;
        else if (!parseSize(value, o.width, o.height))
            return usageError("produce: --size takes WIDTHxHEIGHT, each 1 to " +
                              std::to_string(kMaxProduceSide) + ", not '" + value + "'");
        else
            o.sizeGiven = true;
    }
    if (!o.depth.empty() && (!o.model.empty() || o.sizeGiven))
        return usageError("produce: --depth cannot be combined with --model or --size");
    return kExitOk;
}

// Checked before a long run, so that an unwritable output fails at once.
bool outputFolderWritable(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    return std::filesystem::is_directory(folder) && access(folder.c_str(), W_OK) == 0;
}

}  // namespace

int runProduce(const Args& args)
{
    ProduceOptions o;
    if (int status = parseOptions(args, o); status != kExitOk)
        return status;
    if (!outputFolderWritable(o.output))
        return failWrite(o.output, "its folder does not exist or cannot be written");

    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<Image> pattern;
    if (o.pattern != "none") {
        const std::string path = o.pattern.empty() ? findDataFile("demo/pattern.bmp") : o.pattern;
        pattern = std::make_unique<Image>(nullptr, 1, 1);
        if (FileResult r = pattern->loadImage(path); !r)
            return failRead(path, r.error);
    }

    ProductionInput in;
    in.pattern = pattern.get();
    Component3D mesh;
    FacesModel faces;
    Image depth(nullptr, 1, 1);
    if (!o.depth.empty()) {
        if (FileResult r = depth.loadImage(o.depth); !r)
            return failRead(o.depth, r.error);
        in.modelType = MODEL_TYPE_IMAGE;
        in.depthPicture = &depth;
    } else {
        const std::string path = o.model.empty() ? findDataFile("demo/demo.3ds") : o.model;
        const FileResult r = openModelFile(path, &mesh);
        if (!r)
            return failRead(path, r.error);
        warnRead(path, r.warning);
        in.mesh = &mesh;
        in.faces = &faces;
        in.meshWidth = o.width;
        in.meshHeight = o.height;
    }

    FileResult allowed;
    const std::unique_ptr<Image> result = produceStereogram(in, &allowed);
    if (!result)
        return fail(kExitBadInput, allowed.error);
    const FileResult written = endsWithNoCase(o.output, ".png") ? result->writePNGFile(o.output)
                                                                 : result->writeBMPFile(o.output);
    if (!written)
        return failWrite(o.output, written.error);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s: %d x %d, %.2f s\n", o.output.c_str(), result->getWidth(), result->getHeight(),
                seconds);
    return kExitOk;
}

}  // namespace ovek

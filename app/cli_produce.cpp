#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "app/cli.h"
#include "app/cli_files.h"
#include "app/cli_settings.h"
#include "app/data_files.h"
#include "app/progress_line.h"
#include "engine/triangle_model.h"
#include "engine/viewer_model.h"
#include "image/grey_picture.h"
#include "image/image.h"
#include "image/picture_writer.h"
#include "mesh/model_open.h"
#include "production/production.h"

namespace ovek {

namespace {

const char kProduceHead[] =
    "Usage: pexolen produce [--model FILE [--size WxH] | --depth FILE] [--pattern FILE|KIND]\n"
    "                       [-o FILE] [--format FORMAT] [--threads N] [-q] [-v] [SETTINGS]\n"
    "\n"
    "Makes a stereogram: a picture that shows depth when you look through it, as\n"
    "if at something far behind it (parallel viewing), or, with --cross-eyed,\n"
    "with the eyes crossed in front of it.\n"
    "\n"
    "Depth, from a model (the default) or from a grey picture:\n"
    "  --model FILE       a .3ds or .om model (default: demo/demo.3ds)\n"
    "  --depth FILE       a picture whose brightness is height, white nearest;\n"
    "                     '-' reads standard input; 16-bit PNG and PGM are read at\n"
    "                     full precision. The result is at least 800 x 600 and\n"
    "                     never smaller than the picture (or --size).\n"
    "Pattern:\n"
    "  --pattern FILE     the picture repeated across the result (default:\n"
    "                     demo/pattern.bmp); '-' reads standard input; 'none'\n"
    "                     starts from black, so that only the mark shows\n"
    "Result:\n"
    "  -o, --output FILE  where to write it (default: stereogram.bmp); '-' writes\n"
    "                     to standard output. The ending chooses the format:\n"
    "                     .bmp, .png, .jpg or .jpeg (quality 95), .ppm or .pnm.\n"
    "  --format FORMAT    bmp, png, jpg or ppm (default: by the ending; bmp for\n"
    "                     standard output)\n"
    "Work:\n"
    "  --threads N        compute on N threads, 1 to 256 (default: one per core);\n"
    "                     the result is the same whatever N\n"
    "  -q, --quiet        no success line and no progress line\n"
    "  -v, --verbose      first a line on the geometry: the background repeat, the\n"
    "                     nearest repeat and the depth levels the picture can show\n"
    "  -h, --help         this text\n";

const char kProduceTail[] =
    "\n"
    "Options take their value as --opt value or --opt=value. Pictures are read by\n"
    "content: BMP, PNG, JPEG, GIF or PNM.\n"
    "\n"
    "Examples:\n"
    "  pexolen produce\n"
    "  pexolen produce --model cube.3ds --size 1200x800 -o cube.png\n"
    "  pexolen produce --model car.3ds --rotate 0,180,0 --cross-eyed\n"
    "  pexolen produce --depth hemi.png --pattern stones.jpg -o hemi.jpg\n"
    "  pexolen produce --depth hemi.png --pattern dots --depth-scale 1.5 --guides top\n"
    "  pexolen produce --depth hemi.png --print 20x15cm --dpi 300 --eye-separation 6cm\n"
    "  pngtopnm d.png | pexolen produce --depth - -o - --format png > s.png\n";

const std::string kProduceHelp = std::string(kProduceHead) + settingsHelp() + kProduceTail;

std::vector<OptionSpec> produceOptions()
{
    return stereogramCommandOptions({
        {"--model", nullptr, true},
        {"--depth", nullptr, true},
    });
}

const CommandSpec kProduce = {"produce", kProduceHelp.c_str(), produceOptions(), 0};

struct ProduceOptions {
    std::string pattern;     // empty: the default pattern
    std::string depth;       // depth-picture mode when set
    std::string model;       // empty: the default model
    int width = ProductionInput().meshWidth;   // mesh mode picture size (the model
    int height = ProductionInput().meshHeight; // editor's at start-up)
    bool sizeGiven = false;
    std::string output = "stereogram.bmp";
    std::string format;      // empty: by the output's name
    int threads = 0;         // 0: one per core
    bool quiet = false;
    bool verbose = false;    // the geometry line first
    StereogramSettings settings;
};

// kContinue, or the status once help was printed or a mistake reported.
int parseOptions(const Args& args, ProduceOptions& o)
{
    ParsedArgs parsed;
    if (int status =
            parseWithSettings(kProduce, args, parsed, o.settings, o.width, o.height, o.sizeGiven);
        status != kContinue)
        return status;
    for (const auto& [name, value] : parsed.options) {
        if (name == "--pattern")
            o.pattern = isGeneratedPattern(value) ? "" : value;
        else if (name == "--depth")
            o.depth = value;
        else if (name == "--model")
            o.model = value;
        else if (name == "--output")
            o.output = value;
        else if (name == "--format")
            o.format = value;
        else if (name == "--quiet")
            o.quiet = true;
        else if (name == "--verbose")
            o.verbose = true;
        else if (name == "--threads" && !parseThreads(value, o.threads))
            return commandUsageError(kProduce, "--threads takes a count from 1 to " +
                                                   std::to_string(kMaxThreads) + ", not '" +
                                                   value + "'");
    }
    if (!o.depth.empty() && !o.model.empty())
        return commandUsageError(kProduce, "--depth cannot be combined with --model");
    return kContinue;
}

bool singleColour(const Image& img)
{
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
            if (img.getColor(x, y) != img.getColor(0, 0))
                return false;
    return true;
}

// Results that are made but cannot show any depth get a warning.
void warnAboutFlatResults(const std::string& patternPath, const Image* pattern, int width,
                          double repeat)
{
    if (pattern && singleColour(*pattern))
        warn("the pattern " + inputName(patternPath) + " is a single colour (" +
             std::to_string(pattern->getWidth()) + " x " + std::to_string(pattern->getHeight()) +
             "): the result cannot show depth");
    if (width < repeat)
        warn("the picture is " + std::to_string(width) + " pixels wide, narrower than one " +
             "pattern repeat (" + std::to_string(int(repeat + 0.5)) +
             " pixels): the result cannot show depth");
}

// A depth picture from a file is read straight into grey (a BMP a row at a
// time); standard input goes through a whole picture.
FileResult loadDepth(const std::string& path, GreyPicture& depth)
{
    if (path != "-")
        return loadGreyPicture(path, depth, true);
    Image img(nullptr, 1, 1);
    FileResult r = loadPicture(path, img);
    if (r)
        depth = greyOf(img);
    return r;
}

}  // namespace

int runProduce(const Args& args)
{
    ProduceOptions o;
    if (int status = parseOptions(args, o); status != kContinue)
        return status;
    const bool generated = o.settings.pattern != PatternSource::Picture;
    const std::string patternPath = o.pattern == "none" || generated ? ""
                                    : o.pattern.empty()              ? findDataFile("demo/pattern.bmp")
                                                                     : o.pattern;
    const std::string modelPath =
        !o.depth.empty() ? "" : o.model.empty() ? findDataFile("demo/demo.3ds") : o.model;
    std::vector<std::string> inputs;
    for (const std::string& p : {patternPath, o.depth, modelPath})
        if (!p.empty())
            inputs.push_back(p);
    if (int status = checkInputs(kProduce, inputs); status != kExitOk)
        return status;
    PictureOutput output;
    if (int status = preparePictureOutput(kProduce, o.output, o.format, inputs, output);
        status != kExitOk)
        return status;

    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<Image> pattern;
    if (!patternPath.empty()) {
        pattern = std::make_unique<Image>(nullptr, 1, 1);
        if (FileResult r = loadPicture(patternPath, *pattern); !r)
            return failRead(patternPath, r.error);
    }

    ProductionInput in;
    in.pattern = pattern.get();
    in.threads = o.threads;
    in.settings = o.settings;
    Component3D mesh;
    FacesModel faces;
    GreyPicture depth;
    if (!o.depth.empty()) {
        if (FileResult r = loadDepth(o.depth, depth); !r)
            return failRead(o.depth, r.error);
        in.modelType = MODEL_TYPE_IMAGE;
        in.depthGrey = &depth;
        if (o.sizeGiven) {
            in.depthWidth = o.width;
            in.depthHeight = o.height;
        }
    } else {
        const FileResult r = openModelFile(modelPath, &mesh);
        if (!r)
            return failRead(modelPath, r.error);
        warnRead(modelPath, r.warning);
        in.mesh = &mesh;
        in.faces = &faces;
        in.meshWidth = o.width;
        in.meshHeight = o.height;
    }

    // Only a depth picture can ask for too large a result: --size is checked above.
    if (FileResult allowed = checkProduction(in); !allowed)
        return fail(kExitBadInput,
                    "the depth picture " + inputName(o.depth) + " is too large: " + allowed.error);
    int w = 0, h = 0;
    resultSize(in, w, h);
    warnAboutFlatResults(patternPath, pattern.get(), w, backgroundRepeat(in));
    if (o.verbose)
        printGeometry(in, output.path == "-" ? stderr : stdout);

    {
        ProgressLine progress(!o.quiet && isatty(STDERR_FILENO));
        in.onRow = [&progress](int done, int total) { progress.update(done, total); };
        // A file takes the rows as they are finished; standard output the
        // whole picture.
        if (output.path != "-") {
            const FileResult r = writePictureRows(output.path, output.format, w, h,
                                                  [&](RowSink& rows) {
                                                      return bool(produceStereogramRows(in, rows));
                                                  });
            if (!r)
                return failWrite(output.path, r.error);
        } else if (int status = writePictureOutput(*produceStereogram(in), output);
                   status != kExitOk) {
            return status;
        }
    }
    if (o.quiet)
        return kExitOk;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // Standard output may carry the picture itself.
    std::fprintf(output.path == "-" ? stderr : stdout, "%s: %d x %d, %.2f s\n",
                 output.path == "-" ? "standard output" : output.path.c_str(), w, h, seconds);
    return kExitOk;
}

}  // namespace ovek

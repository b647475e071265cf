#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "animation/animation_output.h"
#include "animation/depth_sequence.h"
#include "animation/numbered_name.h"
#include "app/cli.h"
#include "app/cli_files.h"
#include "app/cli_settings.h"
#include "app/data_files.h"
#include "app/progress_line.h"
#include "base/atomic_file.h"
#include "image/image.h"
#include "mesh/model_open.h"

namespace ovek {

namespace {

const char kAnimateHead[] =
    "Usage: pexolen animate [--model FILE [--turn AXIS] [--degrees D] [--frames N]\n"
    "                       | --depth FILES...] [--pattern FILE|KIND]\n"
    "                       [--pattern-motion MOTION] [-o FILE] [--format FORMAT]\n"
    "                       [--fps N] [--quality Q] [--threads N] [-q] [-v] [SETTINGS]\n"
    "\n"
    "Makes a moving stereogram: a turning model, or one depth picture a frame.\n"
    "It takes every setting of 'pexolen produce' (below); each frame is the\n"
    "picture 'pexolen produce' makes of it with the same settings.\n"
    "\n"
    "Depth, from a turning model (the default) or from depth pictures:\n"
    "  --model FILE       a .3ds or .om model (default: demo/demo.3ds)\n"
    "  --turn AXIS        x, y (up the picture) or z (towards you) (default: y)\n"
    "  --degrees D        how far the model turns in all, -36000 to 36000\n"
    "                     (default: 360, a full turn that loops smoothly)\n"
    "  --frames N         frames, 1 to 100000 (default: 36); frame k shows the\n"
    "                     model turned by --rotate, then by k * D / N degrees\n"
    "                     about AXIS\n"
    "  --depth FILE       the depth pictures, brightness is height: a numbered name\n"
    "                     ('frame_%03d.png', from 0 or 1 up to the first missing),\n"
    "                     a folder (its pictures in name order), or --depth given\n"
    "                     once a frame. All the same size unless --size is given,\n"
    "                     which resamples every picture to it; the frames are at\n"
    "                     least 800 x 600.\n"
    "Pattern:\n"
    "  --pattern FILE     the picture repeated across every frame (default:\n"
    "                     demo/pattern.bmp); '-' reads standard input; 'none'\n"
    "                     starts from black\n"
    "  --pattern-motion M fixed: the same pattern every frame (steady, but its\n"
    "                     flat repeats can show the shape moving); fresh: new\n"
    "                     random dots every frame, frame k with --seed + k\n"
    "                     (nothing shows through, but the dots flicker; takes\n"
    "                     --pattern dots, grey-dots or colour-dots, dots by\n"
    "                     default, and no picture); drift: the pattern moves 2\n"
    "                     pixels right and 1 down a frame (default: fixed)\n"
    "Result:\n"
    "  -o, --output FILE  where to write it (default: animation.gif); '-' writes to\n"
    "                     standard output. The ending chooses the format: .gif,\n"
    "                     .webp (lossless), .mp4 or .mkv (H.264 where the build has\n"
    "                     it), or numbered pictures 'out_%03d.png' (.bmp, .png,\n"
    "                     .jpg, .ppm), frame k as out_00k.png from 0, each the\n"
    "                     picture 'pexolen produce' makes of that frame\n"
    "  --format FORMAT    gif, webp, mp4 or mkv (default: by the ending; gif for\n"
    "                     standard output)\n"
    "  --fps N            frames a second, 1 to 60 (default: 12)\n"
    "  --quality Q        0 to 100: for video the picture quality (default: 75);\n"
    "                     for WebP, which is lossless, the effort spent making it\n"
    "                     smaller (default: 25)\n"
    "Work:\n"
    "  --threads N        make frames on N threads, 1 to 256 (default: one per\n"
    "                     core); the frames are the same whatever N\n"
    "  -q, --quiet        no success line and no progress line\n"
    "  -v, --verbose      first a line on the first frame's geometry: the\n"
    "                     background repeat, the nearest repeat and the depth levels\n"
    "  -h, --help         this text\n";

const char kAnimateTail[] =
    "\n"
    "Options take their value as --opt value or --opt=value.\n"
    "\n"
    "Examples:\n"
    "  pexolen animate -o turn.gif\n"
    "  pexolen animate --model car.3ds --degrees 90 --frames 48 -o car.mp4\n"
    "  pexolen animate --rotate 20,0,0 --cross-eyed --pattern colour-dots -o t.webp\n"
    "  pexolen animate --depth 'wave_%03d.png' --pattern-motion fresh -o wave.webp\n"
    "  pexolen animate --frames 12 -o 'frame_%02d.png'\n"
    "  pexolen animate --format mkv -o - | ffplay -\n";

const std::string kAnimateHelp = std::string(kAnimateHead) + settingsHelp() + kAnimateTail;

std::vector<OptionSpec> animateOptions()
{
    return stereogramCommandOptions({
        {"--model", nullptr, true},
        {"--turn", nullptr, true},
        {"--degrees", nullptr, true},
        {"--frames", nullptr, true},
        {"--depth", nullptr, true},
        {"--pattern-motion", nullptr, true},
        {"--fps", nullptr, true},
        {"--quality", nullptr, true},
    });
}

const CommandSpec kAnimate = {"animate", kAnimateHelp.c_str(), animateOptions(), 0};

constexpr double kMaxDegrees = 36000;
constexpr int kMaxFps = 60;
struct AnimateOptions {
    std::string model;                     // empty: the default model
    TurnAxis axis = TurnAxis::Y;
    double degrees = 360;
    int frames = 36;
    bool turnGiven = false;                // --turn, --degrees or --frames
    std::vector<std::string> depth;        // depth pictures when set
    int width = 866;                       // frame size of a model; resampling size of depth
    int height = 554;
    bool sizeGiven = false;
    std::string pattern;                   // a picture; empty: the default or generated
    PatternMotion motion = PatternMotion::Fixed;
    std::string output = "animation.gif";
    std::string format;                    // empty: by the output's name
    int fps = 12;
    int quality = -1;                      // -1: the format's default
    int threads = 0;                       // 0: one per core
    bool quiet = false;
    bool verbose = false;                  // the geometry line first
    StereogramSettings settings;
};

bool parseWhole(const std::string& text, long long lo, long long hi, int& out)
{
    long long n = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%lld%c", &n, &extra) != 1 || n < lo || n > hi)
        return false;
    out = int(n);
    return true;
}

bool parseDegrees(const std::string& text, double& out)
{
    double d = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%lf%c", &d, &extra) != 1 || !std::isfinite(d) ||
        std::fabs(d) > kMaxDegrees)
        return false;
    out = d;
    return true;
}

bool parseAxis(const std::string& text, TurnAxis& axis)
{
    if (text == "x" || text == "X")
        axis = TurnAxis::X;
    else if (text == "y" || text == "Y")
        axis = TurnAxis::Y;
    else if (text == "z" || text == "Z")
        axis = TurnAxis::Z;
    else
        return false;
    return true;
}

int badValue(const std::string& option, const std::string& wanted, const std::string& value)
{
    return commandUsageError(kAnimate, option + " takes " + wanted + ", not '" + value + "'");
}

// kContinue, or the status once help was printed or a mistake reported.
int parseOptions(const Args& args, AnimateOptions& o)
{
    ParsedArgs parsed;
    if (int status =
            parseWithSettings(kAnimate, args, parsed, o.settings, o.width, o.height, o.sizeGiven);
        status != kContinue)
        return status;
    for (const auto& [name, value] : parsed.options) {
        if (name == "--model")
            o.model = value;
        else if (name == "--depth")
            o.depth.push_back(value);
        else if (name == "--pattern")
            o.pattern = isGeneratedPattern(value) ? "" : value;
        else if (name == "--output")
            o.output = value;
        else if (name == "--format")
            o.format = value;
        else if (name == "--quiet")
            o.quiet = true;
        else if (name == "--verbose")
            o.verbose = true;
        else if (name == "--turn") {
            o.turnGiven = true;
            if (!parseAxis(value, o.axis))
                return badValue(name, "x, y or z", value);
        } else if (name == "--degrees") {
            o.turnGiven = true;
            if (!parseDegrees(value, o.degrees))
                return badValue(name, "a number of degrees from -36000 to 36000", value);
        } else if (name == "--frames") {
            o.turnGiven = true;
            if (!parseWhole(value, 1, (long long)kMaxSequenceFrames, o.frames))
                return badValue(name, "a count from 1 to " + std::to_string(kMaxSequenceFrames),
                                value);
        } else if (name == "--pattern-motion") {
            if (!patternMotionNamed(value, &o.motion))
                return badValue(name, "fixed, fresh or drift", value);
        } else if (name == "--fps") {
            if (!parseWhole(value, 1, kMaxFps, o.fps))
                return badValue(name, "a count from 1 to " + std::to_string(kMaxFps), value);
        } else if (name == "--quality") {
            if (!parseWhole(value, 0, 100, o.quality))
                return badValue(name, "a number from 0 to 100", value);
        } else if (name == "--threads" && !parseThreads(value, o.threads)) {
            return badValue(name, "a count from 1 to " + std::to_string(kMaxThreads), value);
        }
    }
    if (!o.depth.empty() && (!o.model.empty() || o.turnGiven))
        return commandUsageError(kAnimate, "--depth cannot be combined with --model, --turn, "
                                           "--degrees or --frames");
    for (const std::string& d : o.depth)
        if (d == "-")
            return commandUsageError(kAnimate, "depth pictures are read from files, not from "
                                               "standard input");
    if (o.motion == PatternMotion::Fresh && !o.pattern.empty())
        return commandUsageError(kAnimate, "--pattern-motion fresh makes its own random dots "
                                           "and takes no pattern picture: --pattern dots, "
                                           "grey-dots or colour-dots");
    // Fresh dots are the settings' generated pattern, new each frame.
    if (o.motion == PatternMotion::Fresh && o.settings.pattern == PatternSource::Picture)
        o.settings.pattern = PatternSource::Dots;
    return kContinue;
}

// Settles the format; kExitOk or the status already reported.
int settleFormat(const AnimateOptions& o, AnimationOutput& out)
{
    out.path = o.output;
    out.fps = o.fps;
    out.quality = o.quality;
    AnimationFormat byName = AnimationFormat::GIF;
    const bool named = o.output != "-" && animationFormatOfName(o.output, &byName, &out.picture);
    if (!o.format.empty()) {
        if (!animationFormatNamed(o.format, &out.format))
            return badValue("--format", kAnimationFormatNames, o.format);
        if (named && byName != out.format)
            return commandUsageError(kAnimate, "'" + o.output +
                                                   "' is named for another format than --format " +
                                                   o.format);
    } else if (named) {
        out.format = byName;
    } else if (o.output != "-") {
        return commandUsageError(kAnimate, "cannot tell the format of '" + o.output +
                                               "' from its name: end it in " + kAnimationEndings);
    }
    if (o.output == "-" && isatty(STDOUT_FILENO))
        return commandUsageError(kAnimate, "standard output is a terminal; send the animation "
                                           "to a file or a pipe, or name a file with -o");
    return kExitOk;
}

// Numbered pictures: no frame's name may be an input, and the first must be
// writable. kExitOk or the status already reported.
int checkPictureNames(const AnimationOutput& out, int frames,
                      const std::vector<std::string>& inputs)
{
    namespace fs = std::filesystem;
    std::set<fs::path> read;
    std::error_code ec;
    for (const std::string& in : inputs)
        if (in != "-")
            read.insert(fs::weakly_canonical(in, ec));
    for (int k = 0; k < frames; ++k) {
        const std::string name = numberedName(out.path, k);
        if (read.count(fs::weakly_canonical(name, ec)))
            return commandUsageError(kAnimate, "the frame '" + name +
                                                   "' would overwrite an input of the same name");
    }
    if (FileResult r = checkWritable(numberedName(out.path, 0)); !r)
        return failWrite(numberedName(out.path, 0), r.error);
    return kExitOk;
}

}  // namespace

int runAnimate(const Args& args)
{
    AnimateOptions o;
    if (int status = parseOptions(args, o); status != kContinue)
        return status;
    AnimationOutput out;
    if (int status = settleFormat(o, out); status != kExitOk)
        return status;
    const bool fromModel = o.depth.empty();
    const bool generated = o.settings.pattern != PatternSource::Picture;
    const std::string patternPath = o.pattern == "none" || generated ? ""
                                    : o.pattern.empty()              ? findDataFile("demo/pattern.bmp")
                                                                     : o.pattern;
    const std::string modelPath =
        !fromModel ? "" : o.model.empty() ? findDataFile("demo/demo.3ds") : o.model;

    // The depth pictures are listed (and a numbered name expanded) first, so
    // that the output is checked against every one of them.
    std::vector<std::string> depthFiles;
    if (!fromModel) {
        if (FileResult r = depthSequenceFiles(o.depth, depthFiles); !r)
            return failRead(o.depth[0], r.error);
    }
    std::vector<std::string> inputs = depthFiles;
    for (const std::string& p : {patternPath, modelPath})
        if (!p.empty())
            inputs.push_back(p);
    if (int status = checkInputs(kAnimate, inputs); status != kExitOk)
        return status;
    const int frames = fromModel ? o.frames : int(depthFiles.size());
    if (out.format == AnimationFormat::Pictures) {
        if (int status = checkPictureNames(out, frames, inputs); status != kExitOk)
            return status;
    } else if (out.path != "-") {
        if (int status = checkOutputFile(kAnimate, out.path, inputs); status != kExitOk)
            return status;
    }

    const auto started = std::chrono::steady_clock::now();
    std::shared_ptr<Image> pattern;
    if (!patternPath.empty()) {
        pattern = std::make_shared<Image>(nullptr, 1, 1);
        if (FileResult r = loadPicture(patternPath, *pattern); !r)
            return failRead(patternPath, r.error);
    }
    Component3D model;
    std::unique_ptr<FrameSource> source;
    if (fromModel) {
        const FileResult r = openModelFile(modelPath, &model);
        if (!r)
            return failRead(modelPath, r.error);
        warnRead(modelPath, r.warning);
        source = std::make_unique<TurnSource>(model, modelPath, o.axis, o.degrees, o.frames,
                                              o.width, o.height);
    } else {
        auto sequence = std::make_unique<DepthSequence>(depthFiles, o.sizeGiven ? o.width : 0,
                                                        o.sizeGiven ? o.height : 0);
        const SequenceProblem problem = sequence->check(o.threads);
        switch (problem.kind) {
        case SequenceProblem::None: break;
        case SequenceProblem::Unreadable: return failRead(problem.file, problem.reason);
        case SequenceProblem::MixedSizes:
            return commandUsageError(kAnimate, "the depth picture '" + problem.file + "' is " +
                                                   problem.reason +
                                                   "; give --size to resample them all");
        case SequenceProblem::TooLarge:
            return fail(kExitBadInput, "the depth pictures are too large: " + problem.reason);
        }
        source = std::move(sequence);
    }
    int w = 0, h = 0;
    source->frameSize(w, h);
    std::string encoder;
    if (FileResult r = checkAnimationEncoder(out, w, h, encoder); !r)
        return failWrite(out.path, r.error);

    if (o.verbose) {
        FrameDepth first;
        ProductionInput in;
        in.settings = o.settings;
        if (FileResult r = source->depthOf(0, first, in); !r)
            return failRead(source->inputOf(0), r.error);
        printGeometry(in, out.path == "-" ? stderr : stdout);
    }

    AnimationRun run;
    run.source = source.get();
    run.threads = o.threads;
    run.settings = o.settings;
    run.patterns = patternProvider(o.motion, pattern);
    AnimationOutcome outcome;
    {
        ProgressLine progress(!o.quiet && isatty(STDERR_FILENO), ProgressLine::Unit::Frames);
        run.onFrame = [&progress](int done, int total) { progress.update(done, total); };
        outcome = writeAnimation(run, out);
    }
    switch (outcome.kind) {
    case AnimationOutcome::Done: break;
    case AnimationOutcome::BadInput: return failRead(outcome.input, outcome.reason);
    case AnimationOutcome::BadOutput: return failWrite(out.path, outcome.reason);
    }
    if (o.quiet)
        return kExitOk;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::fprintf(out.path == "-" ? stderr : stdout,
                 "%s: %d frames of %d x %d%s%s, %.2f s (%.1f frames a second)\n",
                 out.path == "-" ? "standard output" : out.path.c_str(), frames, w, h,
                 encoder.empty() ? "" : ", ", encoder.c_str(), seconds,
                 seconds > 0 ? frames / seconds : 0.0);
    return kExitOk;
}

}  // namespace ovek

#include "app/window_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/cli_options.h"
#include "app/cli_settings.h"

namespace ovek {

namespace {

const char kWindowHead[] =
    "Usage: pexolen [window] [OPTIONS] [FILE...]\n"
    "\n"
    "Opens the window ready to make the stereogram the same options give with\n"
    "'pexolen produce': a model (.3ds, .om, .obj, ...) or a depth picture given as\n"
    "FILE goes to the model tab (of several, the last that opens is used), and\n"
    "without --size the picture has produce's size (the model's 866x554, the\n"
    "depth picture's own). Without arguments the window opens as it always has.\n"
    "'window' is needed only before a file named like a command.\n"
    "\n"
    "  --pattern FILE     a picture for the pattern tab; dots, grey-dots and\n"
    "                     colour-dots as below; 'none' starts from black\n"
    "  -h, --help         this text\n";

const char kWindowTail[] =
    "\n"
    "Options take their value as --opt value or --opt=value; '--' ends them, for\n"
    "files whose names begin with '-'. A file that does not exist ends the\n"
    "program before the window opens (status 2); one that cannot be read as a\n"
    "model or picture is reported in the window.\n"
    "\n"
    "Examples:\n"
    "  pexolen --cross-eyed --eye-separation 300 square.png\n"
    "  pexolen --pattern stones.jpg --size 1920x1080 car.3ds\n"
    "  pexolen window produce.3ds\n";

const std::string kWindowHelp = std::string(kWindowHead) + settingsHelp() + kWindowTail;

std::vector<OptionSpec> windowOptions()
{
    // The settings options include --pattern.
    return settingsOptions();
}

const CommandSpec kWindow = {"window", kWindowHelp.c_str(), windowOptions(), size_t(-1)};

// A file the window will open exists and may be read; otherwise the reason.
bool readable(const std::string& path, std::string& reason)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = "it is a folder";
        return false;
    }
    if (access(path.c_str(), R_OK) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

const char* windowHelp()
{
    return kWindowHelp.c_str();
}

bool opensWindow(const Args& args)
{
    return args.empty() || args[0] == "window" || !isCommandName(args[0]);
}

int parseWindowArgs(const Args& given, WindowArgs& out)
{
    const Args args(given.begin() + (!given.empty() && given[0] == "window" ? 1 : 0), given.end());
    ParsedArgs parsed;
    if (int status = parseWithSettings(kWindow, args, parsed, out.settings, out.width, out.height,
                                       out.sizeGiven);
        status != kContinue)
        return status;
    for (const auto& [name, value] : parsed.options)
        if (name == "--pattern")
            out.pattern = isGeneratedPattern(value) ? "" : value;
    out.files = parsed.operands;

    std::vector<std::string> inputs = out.files;
    if (!out.pattern.empty() && out.pattern != "none")
        inputs.push_back(out.pattern);
    for (const std::string& path : inputs) {
        // The window has no standard input to read: it may have been started
        // from a desktop.
        if (path == "-")
            return commandUsageError(kWindow, "the window opens files, not standard input ('-')");
        std::string reason;
        if (readable(path, reason))
            continue;
        // "pexolen prodcue": a mistyped command rather than a missing file.
        if (path == given[0] && path.find_first_of("./") == std::string::npos)
            return usageError("unknown command '" + path + "', and no file of that name");
        return failRead(path, reason);
    }
    return kContinue;
}

}  // namespace ovek

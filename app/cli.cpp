#include "app/cli.h"

#include <cstdio>

#include "app/window_options.h"

namespace ovek {

namespace {

const char kUsage[] =
    "Usage: pexolen [window] [OPTIONS] [FILE...]\n"
    "       pexolen COMMAND [OPTIONS]\n"
    "\n"
    "Makes single-image stereograms: pictures that show a 3D shape when you look\n"
    "through them.\n"
    "\n"
    "Commands:\n"
    "  (none)       open the window (needs a display); with OPTIONS and FILEs\n"
    "               ready to make their stereogram as produce would: a model or\n"
    "               depth picture, --pattern FILE and produce's settings and\n"
    "               --size (pexolen window --help)\n"
    "  window       the same, needed only before a file named like a command\n"
    "  produce      make a stereogram from a model or a depth picture\n"
    "  animate      make a moving stereogram: a turning model or depth pictures\n"
    "  convert      write a picture in another format, or a model as a .om file\n"
    "  info         print a model's point and face counts and its bounding box\n"
    "\n"
    "  pexolen COMMAND --help   a command's options, their defaults and examples\n"
    "  pexolen --version        the version and the libraries used\n"
    "  pexolen --help           this text\n"
    "\n"
    "Exit status:\n"
    "  0  success\n"
    "  1  wrong usage: an unknown option, a bad value, an output name without a\n"
    "     picture ending, an output that would overwrite an input\n"
    "  2  an input cannot be read\n"
    "  3  the output cannot be written\n";

struct Command {
    const char* name;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"animate", runAnimate},
    {"convert", runConvert},
    {"info", runInfo},
    {"produce", runProduce},
};

// Arguments that are not the window's even though they are no command.
bool isProgramOption(const std::string& arg)
{
    return arg == "--version" || arg == "-v" || arg == "--help" || arg == "-h" || arg == "help";
}

std::string quotedOr(const std::string& path, const char* stream)
{
    return path == "-" ? std::string(stream) : "'" + path + "'";
}

}  // namespace

std::string inputName(const std::string& path)
{
    return quotedOr(path, "standard input");
}

std::string outputName(const std::string& path)
{
    return quotedOr(path, "standard output");
}

int fail(int status, const std::string& message)
{
    std::fprintf(stderr, "pexolen: %s\n", message.c_str());
    return status;
}

int failRead(const std::string& path, const std::string& reason)
{
    return fail(kExitBadInput, "cannot read " + inputName(path) + ": " + reason);
}

int failWrite(const std::string& path, const std::string& reason)
{
    return fail(kExitBadOutput, "cannot write " + outputName(path) + ": " + reason);
}

void warn(const std::string& message)
{
    std::fprintf(stderr, "pexolen: warning: %s\n", message.c_str());
}

void warnRead(const std::string& path, const std::string& warning)
{
    if (!warning.empty())
        warn(inputName(path) + ": " + warning);
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "pexolen: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

bool isCommandName(const std::string& arg)
{
    for (const Command& c : kCommands)
        if (arg == c.name)
            return true;
    return isProgramOption(arg);
}

int runCommandLine(const Args& args)
{
    if (args.empty())
        return usageError("no command given");
    const std::string& cmd = args[0];
    if (cmd == "--version" || cmd == "-v") {
        std::printf("pexolen %s\nLibraries: %s\n", PEXOLEN_VERSION, PEXOLEN_LIBRARIES);
        return kExitOk;
    }
    // "pexolen help produce" is "pexolen produce --help".
    if (cmd == "help" && args.size() == 2 && args[1] == "window") {
        std::printf("%s", windowHelp());
        return kExitOk;
    }
    if (cmd == "help" && args.size() == 2)
        return runCommandLine({args[1], "--help"});
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        std::printf("%s", kUsage);
        return kExitOk;
    }
    for (const Command& c : kCommands)
        if (cmd == c.name)
            return c.run(Args(args.begin() + 1, args.end()));
    return usageError("unknown command '" + cmd + "'");
}

}  // namespace ovek

#include "app/cli.h"

#include <cstdio>
#include <strings.h>

namespace ovek {

namespace {

const char kUsage[] =
    "Usage:\n"
    "  pexolen                           open the window (needs a display)\n"
    "  pexolen produce [--pattern FILE|none] [--depth FILE | --model FILE [--size WxH]] [-o OUT]\n"
    "                                    make a stereogram (defaults: demo/pattern.bmp,\n"
    "                                    demo/demo.3ds, 866x554, stereogram.bmp; OUT ending\n"
    "                                    in .png writes PNG)\n"
    "  pexolen convert PICTURE OUT.bmp   read any picture, write it as 24-bit BMP\n"
    "  pexolen convert MODEL OUT.om      read a .3ds or .om model, write it as .om\n"
    "  pexolen info MODEL [--points]     print a model's point and face counts and box;\n"
    "                                    --points lists its points and faces too\n"
    "  pexolen --version                 print the version\n"
    "  pexolen --help                    print this text\n";

struct Command {
    const char* name;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"convert", runConvert},
    {"info", runInfo},
    {"produce", runProduce},
};

}  // namespace

int fail(int status, const std::string& message)
{
    std::fprintf(stderr, "pexolen: %s\n", message.c_str());
    return status;
}

int failRead(const std::string& path, const std::string& reason)
{
    return fail(kExitBadInput, "cannot read '" + path + "': " + reason);
}

int failWrite(const std::string& path, const std::string& reason)
{
    return fail(kExitBadOutput, "cannot write '" + path + "': " + reason);
}

void warnRead(const std::string& path, const std::string& warning)
{
    if (!warning.empty())
        std::fprintf(stderr, "pexolen: warning: '%s': %s\n", path.c_str(), warning.c_str());
}

int usageError(const std::string& message)
{
    std::fprintf(stderr, "pexolen: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

int runCommandLine(const Args& args)
{
    if (args.empty())
        return usageError("no command given");
    const std::string& cmd = args[0];
    if (cmd == "--version" || cmd == "-v") {
        std::printf("pexolen %s\n", PEXOLEN_VERSION);
        return kExitOk;
    }
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

#include "app/cli_options.h"

#include <cstdio>
#include <cstring>

namespace ovek {

namespace {

const OptionSpec* findOption(const CommandSpec& command, const std::string& name)
{
    for (const OptionSpec& o : command.options)
        if (name == o.name || (o.shortName && name == o.shortName))
            return &o;
    return nullptr;
}

// A value may be "-" (a stream) but not another option.
bool looksLikeOption(const std::string& arg)
{
    return arg.size() > 1 && arg[0] == '-';
}

}  // namespace

bool parseThreads(const std::string& text, int& threads)
{
    long long n = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%lld%c", &n, &extra) != 1 || n < 1 || n > kMaxThreads)
        return false;
    threads = int(n);
    return true;
}

int commandUsageError(const CommandSpec& command, const std::string& message)
{
    const char* help = command.help;
    const char* lineEnd = std::strchr(help, '\n');
    const int usageLength = lineEnd ? int(lineEnd - help) : int(std::strlen(help));
    std::fprintf(stderr, "pexolen: %s: %s\n%.*s\nRun 'pexolen %s --help' for every option.\n",
                 command.name, message.c_str(), usageLength, help, command.name);
    return kExitUsage;
}

int parseArgs(const CommandSpec& command, const Args& args, ParsedArgs& out)
{
    // Help wins over any mistake beside it.
    for (const std::string& arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h") {
            std::printf("%s", command.help);
            return kExitOk;
        }
    }
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            if (out.operands.size() == command.maxOperands)
                return commandUsageError(command, "unexpected argument '" + arg + "'");
            out.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const OptionSpec* found = findOption(command, name);
        if (!found)
            return commandUsageError(command, "unknown option '" + name + "'");
        std::string value;
        if (equals != std::string::npos) {
            if (!found->takesValue)
                return commandUsageError(command, std::string(found->name) + " takes no value");
            value = arg.substr(equals + 1);
        } else if (found->takesValue) {
            if (i + 1 >= args.size() || looksLikeOption(args[i + 1]))
                return commandUsageError(command, std::string(found->name) + " needs a value");
            value = args[++i];
        }
        out.options.emplace_back(found->name, value);
    }
    return kContinue;
}

}  // namespace ovek

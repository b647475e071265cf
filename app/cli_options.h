#pragma once
// Reading one command's arguments: "--name value" and "--name=value", short
// names ("-o value"), "-h"/"--help", "-" as a file name (standard input or
// output), and "--" before file names that begin with "-".
#include <string>
#include <utility>
#include <vector>

#include "app/cli.h"

namespace ovek {

struct OptionSpec {
    const char* name;        // "--output"
    const char* shortName;   // "-o", or nullptr
    bool takesValue;
};

struct CommandSpec {
    const char* name;                  // "produce"
    const char* help;                  // the --help text; its first line is the usage line
    std::vector<OptionSpec> options;
    size_t maxOperands;                // arguments that are not options
};

struct ParsedArgs {
    // Long name and value ("" for a flag), in the order given.
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> operands;
};

// Returned by parseArgs when the command should go on.
constexpr int kContinue = -1;

// kContinue, or the exit status once the command is done: kExitOk after
// printing the help, kExitUsage after reporting a mistake.
int parseArgs(const CommandSpec& command, const Args& args, ParsedArgs& out);

// Values shared by the commands that make stereograms.
constexpr int kMaxThreads = 256;
// A thread count from 1 to kMaxThreads.
bool parseThreads(const std::string& text, int& threads);

// "pexolen: COMMAND: MESSAGE", the usage line and where to find more, on
// standard error; returns kExitUsage.
int commandUsageError(const CommandSpec& command, const std::string& message);

}  // namespace ovek

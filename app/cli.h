#pragma once
// The headless command line of the pexolen binary.
#include <string>
#include <vector>

#include "base/name_ending.h"

namespace ovek {

// Exit statuses shared by every command.
enum ExitStatus {
    kExitOk = 0,
    kExitUsage = 1,        // wrong usage
    kExitBadInput = 2,     // an input file cannot be read
    kExitBadOutput = 3,    // an output file cannot be written
};

using Args = std::vector<std::string>;

// Runs "pexolen ARGS..." and returns the exit status.
int runCommandLine(const Args& args);

// Whether a first argument is one of the commands above, or --help,
// --version or their short forms: all other calls open the window.
bool isCommandName(const std::string& arg);

// One function per command; args exclude the command name.
int runAnimate(const Args& args);
int runConvert(const Args& args);
int runInfo(const Args& args);
int runProduce(const Args& args);

// "pexolen: MESSAGE" on standard error; returns status.
int fail(int status, const std::string& message);
// "pexolen: cannot read 'FILE': REASON" (or write), with the matching status;
// "-" is named standard input (or output).
int failRead(const std::string& path, const std::string& reason);
int failWrite(const std::string& path, const std::string& reason);
// "pexolen: warning: 'FILE': WARNING" on standard error for a file read in
// part; nothing when warning is empty.
void warnRead(const std::string& path, const std::string& warning);
// "pexolen: warning: MESSAGE" on standard error.
void warn(const std::string& message);
// Prints the message and the program's usage to standard error and returns
// kExitUsage.
int usageError(const std::string& message);

// "'PATH'" for messages, or "standard input" / "standard output" for "-".
std::string inputName(const std::string& path);
std::string outputName(const std::string& path);

}  // namespace ovek

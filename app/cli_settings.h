#pragma once
// The options that shape a stereogram (viewing, eye separation, depth,
// generated patterns, marks, oversampling, turning the model, the picture's
// size), shared by every command that makes one: take
// stereogramCommandOptions(), print settingsHelp() in its --help, and parse with
// parseWithSettings.
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli_options.h"
#include "production/production.h"

namespace ovek {

const std::vector<OptionSpec>& settingsOptions();

// A stereogram command's options: its own, then those every such command
// takes (--output, --format, --threads, --quiet, --verbose) and the settings.
std::vector<OptionSpec> stereogramCommandOptions(std::vector<OptionSpec> own);

// Their --help block, every option with its default and range.
const char* settingsHelp();

// Fills settings from the settings options among parsed.options (the others
// are left alone; of an option given twice the last counts). kContinue, or
// kExitUsage once a value out of its range was reported, naming the range.
int applySettings(const CommandSpec& command, const ParsedArgs& parsed,
                  StereogramSettings& settings);

// Whether a --pattern value names a generated pattern instead of a file.
bool isGeneratedPattern(const std::string& value);

// --size WxH in pixels, or --print WxH with mm, cm or in at settings.dpi (the
// last given counts): width and height, and given set, when either was given.
// Each side must be 1 to kMaxProduceSide pixels, kMaxProducePixels in all.
// kContinue, or kExitUsage once reported.
int applyPictureSize(const CommandSpec& command, const ParsedArgs& parsed,
                     const StereogramSettings& settings, int& width, int& height, bool& given);

// parseArgs, then applySettings and applyPictureSize on what it gave: kContinue,
// or the status once help was printed or a mistake reported.
int parseWithSettings(const CommandSpec& command, const Args& args, ParsedArgs& parsed,
                      StereogramSettings& settings, int& width, int& height, bool& sizeGiven);

// The -v line on in's geometry: the background repeat, the nearest repeat and
// the depth levels, to `to`.
void printGeometry(const ProductionInput& in, std::FILE* to);

// A length: a number of pixels, or a number with mm, cm or in converted at
// dpi. False when it is not one.
bool parseLength(const std::string& text, double dpi, double& pixels);

}  // namespace ovek

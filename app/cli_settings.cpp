#include "app/cli_settings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "production/production.h"

namespace ovek {

namespace {

// A whole finite number, nothing after it.
bool parseNumber(const std::string& text, double& v)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    v = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(v);
}

bool parseNumberWithUnit(const std::string& text, double& v, std::string& unit)
{
    size_t cut = text.size();
    while (cut > 0 && std::isalpha(static_cast<unsigned char>(text[cut - 1])))
        --cut;
    unit = text.substr(cut);
    return parseNumber(text.substr(0, cut), v);
}

bool toPixels(double v, const std::string& unit, double dpi, double& pixels)
{
    LengthUnit u;
    if (unit.empty() || unit == "px")
        u = LengthUnit::Pixels;
    else if (unit == "mm")
        u = LengthUnit::Millimetres;
    else if (unit == "cm")
        u = LengthUnit::Centimetres;
    else if (unit == "in")
        u = LengthUnit::Inches;
    else
        return false;
    pixels = lengthInPixels(v, u, dpi);
    return true;
}

bool within(double v, double lo, double hi)
{
    return v >= lo && v <= hi;
}

std::string shown(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

}  // namespace

const std::vector<OptionSpec>& settingsOptions()
{
    static const std::vector<OptionSpec> options = {
        {"--size", nullptr, true},         {"--print", nullptr, true},
        {"--dpi", nullptr, true},          {"--cross-eyed", nullptr, false},
        {"--eye-separation", nullptr, true}, {"--depth-scale", nullptr, true},
        {"--invert", nullptr, false},      {"--pattern", nullptr, true},
        {"--density", nullptr, true},      {"--seed", nullptr, true},
        {"--mark", nullptr, true},         {"--guides", nullptr, true},
        {"--oversample", nullptr, true},   {"--rotate", nullptr, true},
    };
    return options;
}

std::vector<OptionSpec> stereogramCommandOptions(std::vector<OptionSpec> own)
{
    own.insert(own.end(), {{"--output", "-o", true},
                           {"--format", nullptr, true},
                           {"--threads", nullptr, true},
                           {"--quiet", "-q", false},
                           {"--verbose", "-v", false}});
    own.insert(own.end(), settingsOptions().begin(), settingsOptions().end());
    return own;
}

const char* settingsHelp()
{
    return "Viewing and depth:\n"
           "  --cross-eyed       made for crossed eyes: near parts are seen near when the\n"
           "                     eyes cross in front of the picture (default: parallel,\n"
           "                     looking through it)\n"
           "  --eye-separation LEN  distance between the model eyes, 20 to 1000 pixels\n"
           "                     (default: 200); with mm, cm or in converted at --dpi:\n"
           "                     6.5cm. Larger gives wider repeats.\n"
           "  --dpi N            pixels per inch for lengths and --print, 10 to 4800\n"
           "                     (default: 96)\n"
           "  --depth-scale F    multiplies every height, 0 to 2.27 (default: 1); 0 is\n"
           "                     flat, 2 twice as deep. Beyond 2.27 white would reach\n"
           "                     the picture plane.\n"
           "  --invert           depth pictures: dark is near (default: white is near)\n"
           "  --oversample N     compute N columns per pixel and average them, 1 to 8\n"
           "                     (default: 1): finer depth steps, N times the work\n"
           "  --rotate X,Y,Z     turn the model about its centre by X degrees about x,\n"
           "                     then Y about y, then Z about z, each -360 to 360\n"
           "                     (default: 0,0,0); 0,180,0 shows its back\n"
           "Pattern and marks:\n"
           "  --pattern KIND     dots, grey-dots or colour-dots: random dots made on the\n"
           "                     spot, one background repeat wide (a file of that name:\n"
           "                     ./dots)\n"
           "  --density P        dots: percent of white dots, 0 to 100 (default: 50)\n"
           "  --seed N           dots: 0 to 4294967295 (default: 1); the same seed gives\n"
           "                     the same picture\n"
           "  --mark signature|none   the signature mark at the top left (default:\n"
           "                     signature)\n"
           "  --guides none|top|bottom   two dots one background repeat apart, centred,\n"
           "                     to help fusing (default: none)\n"
           "Size:\n"
           "  --size WxH         the picture size in pixels (model default: 866x554); at\n"
           "                     most 16384 on a side and 67108864 pixels in all. With\n"
           "                     --depth the depth picture is resampled to it first.\n"
           "  --print WxH{mm|cm|in}  the size as printed at --dpi: --print 20x15cm\n";
}

bool isGeneratedPattern(const std::string& value)
{
    return value == "dots" || value == "grey-dots" || value == "colour-dots";
}

bool parseLength(const std::string& text, double dpi, double& pixels)
{
    double v;
    std::string unit;
    return parseNumberWithUnit(text, v, unit) && toPixels(v, unit, dpi, pixels);
}

int applySettings(const CommandSpec& command, const ParsedArgs& parsed,
                  StereogramSettings& settings)
{
    auto refuse = [&](const std::string& what, const std::string& value) {
        return commandUsageError(command, what + ", not '" + value + "'");
    };
    // Lengths are converted at the resolution, wherever --dpi stands.
    for (const auto& [name, value] : parsed.options)
        if (name == "--dpi" && !(parseNumber(value, settings.dpi) &&
                                 within(settings.dpi, kMinDpi, kMaxDpi)))
            return refuse("--dpi takes a number from 10 to 4800", value);
    for (const auto& [name, value] : parsed.options) {
        double v = 0;
        if (name == "--cross-eyed") {
            settings.viewing = ViewingMode::CrossEyed;
        } else if (name == "--invert") {
            settings.invert = true;
        } else if (name == "--eye-separation") {
            if (!parseLength(value, settings.dpi, v) ||
                !within(v, kMinEyeSeparation, kMaxEyeSeparation))
                return refuse("--eye-separation takes a length of 20 to 1000 pixels (a number, "
                              "or a number with mm, cm or in at --dpi " +
                                  shown(settings.dpi) + ")",
                              value);
            settings.eyeSeparation = v;
        } else if (name == "--depth-scale") {
            if (!parseNumber(value, v) || !within(v, 0, kMaxDepthScale))
                return refuse("--depth-scale takes a factor from 0 to 2.27", value);
            settings.depthScale = v;
        } else if (name == "--pattern") {
            settings.pattern = value == "dots"        ? PatternSource::Dots
                               : value == "grey-dots" ? PatternSource::GreyDots
                               : value == "colour-dots" ? PatternSource::ColourDots
                                                        : PatternSource::Picture;
        } else if (name == "--density") {
            if (!parseNumber(value, v) || !within(v, 0, kMaxDensity))
                return refuse("--density takes a percentage from 0 to 100", value);
            settings.density = v;
        } else if (name == "--seed") {
            if (!parseNumber(value, v) || !within(v, 0, kMaxSeed) || v != std::floor(v))
                return refuse("--seed takes a whole number from 0 to 4294967295", value);
            settings.seed = uint32_t(v);
        } else if (name == "--mark") {
            if (value != "signature" && value != "none")
                return refuse("--mark takes signature or none", value);
            settings.mark = value == "signature";
        } else if (name == "--guides") {
            if (value != "none" && value != "top" && value != "bottom")
                return refuse("--guides takes none, top or bottom", value);
            settings.guides = value == "top"      ? GuidePlace::Top
                              : value == "bottom" ? GuidePlace::Bottom
                                                  : GuidePlace::None;
        } else if (name == "--oversample") {
            if (!parseNumber(value, v) || !within(v, 1, kMaxOversample) || v != std::floor(v))
                return refuse("--oversample takes a whole number from 1 to 8", value);
            settings.oversample = int(v);
        } else if (name == "--rotate") {
            double turn[3];
            size_t start = 0;
            bool ok = true;
            for (int k = 0; k < 3 && ok; ++k) {
                const size_t comma = k < 2 ? value.find(',', start) : value.size();
                ok = comma != std::string::npos &&
                     parseNumber(value.substr(start, comma - start), turn[k]) &&
                     within(turn[k], -360, 360);
                start = comma + 1;
            }
            if (!ok)
                return refuse("--rotate takes X,Y,Z in degrees, each from -360 to 360", value);
            settings.rotateX = turn[0];
            settings.rotateY = turn[1];
            settings.rotateZ = turn[2];
        }
    }
    return kContinue;
}

int applyPictureSize(const CommandSpec& command, const ParsedArgs& parsed,
                     const StereogramSettings& settings, int& width, int& height, bool& given)
{
    for (const auto& [name, value] : parsed.options) {
        if (name != "--size" && name != "--print")
            continue;
        const bool print = name == "--print";
        const size_t x = value.find_first_of("xX");
        double w = 0, h = 0;
        std::string unitW, unitH;
        bool ok = x != std::string::npos && parseNumberWithUnit(value.substr(0, x), w, unitW) &&
                  parseNumberWithUnit(value.substr(x + 1), h, unitH);
        if (ok && print) {
            // One unit for both sides: 20x15cm.
            ok = unitW.empty() && (unitH == "mm" || unitH == "cm" || unitH == "in") &&
                 toPixels(w, unitH, settings.dpi, w) && toPixels(h, unitH, settings.dpi, h);
            w = std::round(w);
            h = std::round(h);
        } else if (ok) {
            ok = unitW.empty() && unitH.empty() && w == std::floor(w) && h == std::floor(h);
        }
        ok = ok && w >= 1 && h >= 1 && w <= kMaxProduceSide && h <= kMaxProduceSide &&
             w * h <= double(kMaxProducePixels);
        if (!ok)
            return commandUsageError(
                command, std::string(name) +
                             (print ? " takes WIDTHxHEIGHT with mm, cm or in (at --dpi " +
                                          shown(settings.dpi) + "), giving"
                                    : " takes WIDTHxHEIGHT,") +
                             " each 1 to " + std::to_string(kMaxProduceSide) + " pixels and " +
                             std::to_string(kMaxProducePixels) + " pixels in all, not '" + value +
                             "'");
        width = int(w);
        height = int(h);
        given = true;
    }
    return kContinue;
}

int parseWithSettings(const CommandSpec& command, const Args& args, ParsedArgs& parsed,
                      StereogramSettings& settings, int& width, int& height, bool& sizeGiven)
{
    if (int status = parseArgs(command, args, parsed); status != kContinue)
        return status;
    if (int status = applySettings(command, parsed, settings); status != kContinue)
        return status;
    return applyPictureSize(command, parsed, settings, width, height, sizeGiven);
}

void printGeometry(const ProductionInput& in, std::FILE* to)
{
    const StereogramGeometry g = stereogramGeometry(in);
    std::fprintf(to,
                 "geometry: background repeat %.2f px (height %.1f), nearest repeat %.2f px "
                 "(height %.1f), %lld depth levels\n",
                 g.backgroundRepeat, g.farHeight, g.nearestRepeat, g.nearHeight, g.levels);
}

}  // namespace ovek

#pragma once
// Everything a user may choose about a stereogram beyond its inputs and size:
// how it is looked at, how deep it is, what it is made of and what is drawn
// on it. The command line and the window fill the same value; the defaults
// give the design's picture byte for byte.
#include <cstdint>

#include "engine/row_options.h"

namespace ovek {

enum class ViewingMode {
    Parallel,   // eyes relaxed, looking through the picture (wall-eyed)
    CrossEyed,  // eyes crossed in front of the picture
};

enum class PatternSource {
    Picture,     // ProductionInput::pattern (none: black)
    Dots,        // black and white random dots; StereogramSettings::density of them white
    GreyDots,    // random grey levels
    ColourDots,  // random colours
};

enum class GuidePlace { None, Top, Bottom };

struct StereogramSettings {
    ViewingMode viewing = ViewingMode::Parallel;  // which way of looking the picture is made for
    double eyeSeparation = 200;           // distance between the model eyes, output pixels
    double dpi = 96;                      // output pixels per inch, for lengths and print sizes
    double depthScale = 1;                // multiplies every height; 0 flat, 2 twice as deep
    bool invert = false;                  // depth pictures: dark is near
    PatternSource pattern = PatternSource::Picture;  // where the repeated colours come from
    double density = 50;                  // Dots: percent of the dots that are white
    uint32_t seed = 1;                    // generated patterns: the same seed, the same dots
    bool mark = true;                     // the signature mark in the top-left corner
    GuidePlace guides = GuidePlace::None; // two dots one background repeat apart, for fusing
    int oversample = 1;                   // columns computed per output pixel, 1 .. 8, averaged
    double rotateX = 0;                   // turn of the model about its centre, degrees, first
    double rotateY = 0;                   // ... then about y, degrees
    double rotateZ = 0;                   // ... then about z, degrees
};

// The limits the command line and the window hold the settings to.
constexpr double kMinEyeSeparation = 20;   // pixels
constexpr double kMaxEyeSeparation = 1000;
constexpr double kMinDpi = 10;
constexpr double kMaxDpi = 4800;
constexpr double kMaxDepthScale = 2.27;    // white (255) x this stays below the picture plane (580)
constexpr int kMaxOversample = kMaxOversampling;
constexpr double kMaxDensity = 100;        // percent of white dots
constexpr double kMaxSeed = 4294967295.0;  // seeds are 0 .. the largest uint32_t

// The units a length may be given in; physical ones are converted at the
// settings' dpi.
enum class LengthUnit { Pixels, Millimetres, Centimetres, Inches };

// length (in unit) as output pixels at dpi: the one conversion the command
// line and the window share, so both give the same bytes for the same length.
inline double lengthInPixels(double length, LengthUnit unit, double dpi)
{
    switch (unit) {
    case LengthUnit::Millimetres:
        return length / 25.4 * dpi;
    case LengthUnit::Centimetres:
        return length / 2.54 * dpi;
    case LengthUnit::Inches:
        return length * dpi;
    case LengthUnit::Pixels:
        break;
    }
    return length;
}

// pixels as a length in unit at dpi (the other way; not exact to the last bit).
inline double pixelsInUnit(double pixels, LengthUnit unit, double dpi)
{
    switch (unit) {
    case LengthUnit::Millimetres:
        return pixels / dpi * 25.4;
    case LengthUnit::Centimetres:
        return pixels / dpi * 2.54;
    case LengthUnit::Inches:
        return pixels / dpi;
    case LengthUnit::Pixels:
        break;
    }
    return pixels;
}

}  // namespace ovek

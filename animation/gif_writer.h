#pragma once
// Animated GIF through giflib, written a frame at a time, looping forever.
#include <cstdio>
#include <memory>
#include <mutex>

#include "animation/colour_palette.h"
#include "animation/frame_writer.h"

struct GifFileType;

namespace ovek {

enum class GifColours {
    PerFrame,   // each frame its own palette: the closest colours, more bytes
    Global,     // the first frame's palette for every frame: no palette flicker
};

// The defaults are measured (bench/animate_bench.cpp, a turn of the demo mesh):
// one palette for all frames is as close as one a frame (27.9 against 28.2 dB),
// smaller and three times quicker, and cannot flicker; ordered dithering is
// both larger and further off (26 dB), and its fixed grain does not follow
// the pattern's repeats.
struct GifOptions {
    GifColours colours = GifColours::Global;
    bool ordered = false;   // ordered dithering before the nearest colour
    int fps = 12;           // frames a second; GIF delays are in hundredths
};

class GifWriter : public FrameWriter {
public:
    GifWriter(std::FILE* out, int width, int height, const GifOptions& options);
    ~GifWriter() override;
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    std::unique_ptr<PreparedFrame> prepare(const Image& frame, int index) override;
    FileResult write(PreparedFrame& frame, int index) override;
    FileResult finish() override;

private:
    // The header, with the global colours when given.
    FileResult start(const ColourPalette* global);

    std::FILE* out_;
    int width_;
    int height_;
    GifOptions options_;
    GifFileType* gif_ = nullptr;
    // Global colours: set by the first frame's write; frames prepared before
    // it keep their pixels and are mapped when written.
    std::mutex globalMutex_;
    std::shared_ptr<const ColourPalette> global_;
};

}  // namespace ovek

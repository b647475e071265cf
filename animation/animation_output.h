#pragma once
// The file an animation goes to, told by its name: an animated GIF or WebP, an
// MP4 or Matroska video, or numbered pictures; and writing it so that a
// failure or an interruption never leaves a partial file.
#include <string>

#include "animation/animation_pipeline.h"
#include "animation/gif_writer.h"
#include "image/picture_writer.h"

namespace ovek {

enum class AnimationFormat { GIF, WebP, MP4, MKV, Pictures };

// For messages: what output names may end in, and what --format takes.
extern const char kAnimationEndings[];
extern const char kAnimationFormatNames[];

// The format a name asks for: .gif, .webp, .mp4, .mkv in any letter case, or
// a numbered picture name ("out_%03d.png", any ending the picture writers
// take, whose format goes to *picture). False for anything else.
bool animationFormatOfName(const std::string& path, AnimationFormat* format,
                           PictureFormat* picture);
// "gif", "webp", "mp4" or "mkv".
bool animationFormatNamed(const std::string& name, AnimationFormat* format);

// Whether format can go to a pipe (standard output).
bool streamable(AnimationFormat format);

struct AnimationOutput {
    std::string path;                               // "-": standard output
    AnimationFormat format = AnimationFormat::GIF;
    PictureFormat picture = PictureFormat::PNG;     // for Pictures
    int fps = 12;                                   // frames a second
    int quality = -1;                               // 0 to 100; -1: the format's default
    GifOptions gif;                                 // colours and dithering; fps from above
};

// Video quality, and WebP's compression effort, when none is asked for.
constexpr int kDefaultVideoQuality = 75;
constexpr int kDefaultWebPEffort = 25;

// Checks, before any frame is made, that an encoder for out exists at that
// size (videos); encoder names it ("" for the other formats).
FileResult checkAnimationEncoder(const AnimationOutput& out, int width, int height,
                                 std::string& encoder);

// Makes the animation and writes it to out: numbered pictures one complete
// file each; a single file replaced only once it is complete.
AnimationOutcome writeAnimation(const AnimationRun& run, const AnimationOutput& out);

}  // namespace ovek

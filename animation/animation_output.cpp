#include "animation/animation_output.h"

#include <cstdio>
#include <memory>

#include "animation/numbered_name.h"
#include "animation/picture_sequence.h"
#include "animation/video_writer.h"
#include "animation/webp_writer.h"
#include "base/atomic_file.h"
#include "base/name_ending.h"

namespace ovek {

const char kAnimationEndings[] =
    ".gif, .webp, .mp4 or .mkv, or a numbered picture name such as out_%03d.png";
const char kAnimationFormatNames[] = "gif, webp, mp4 or mkv";

namespace {

struct NamedFormat {
    const char* name;
    AnimationFormat format;
};

const NamedFormat kNames[] = {{"gif", AnimationFormat::GIF},
                              {"webp", AnimationFormat::WebP},
                              {"mp4", AnimationFormat::MP4},
                              {"mkv", AnimationFormat::MKV}};

VideoOptions videoOptions(const AnimationOutput& out, bool seekable)
{
    VideoOptions v;
    v.container = out.format == AnimationFormat::MP4 ? VideoContainer::MP4 : VideoContainer::MKV;
    v.fps = out.fps;
    v.quality = out.quality >= 0 ? out.quality : kDefaultVideoQuality;
    v.seekable = seekable;
    return v;
}

// The writer of a single-file format, or null with the reason in why.
std::unique_ptr<FrameWriter> fileWriter(const AnimationOutput& out, std::FILE* f, int width,
                                        int height, bool seekable, FileResult& why)
{
    switch (out.format) {
    case AnimationFormat::GIF: {
        GifOptions gif = out.gif;
        gif.fps = out.fps;
        return std::make_unique<GifWriter>(f, width, height, gif);
    }
    case AnimationFormat::WebP: {
        WebPOptions webp;
        webp.fps = out.fps;
        webp.effort = out.quality >= 0 ? out.quality : kDefaultWebPEffort;
        return std::make_unique<WebPWriter>(f, width, height, webp);
    }
    case AnimationFormat::MP4:
    case AnimationFormat::MKV: {
        auto video = std::make_unique<VideoWriter>(f, width, height, videoOptions(out, seekable));
        why = video->open();
        return why ? std::move(video) : nullptr;
    }
    case AnimationFormat::Pictures:
        break;
    }
    why = FileResult::failure("not a single-file format");
    return nullptr;
}

// A pipe cannot be sought in; a file, even as standard output, can.
bool seekable(std::FILE* f)
{
    return fseeko(f, 0, SEEK_CUR) == 0;
}

AnimationOutcome writeTo(const AnimationRun& run, const AnimationOutput& out, std::FILE* f)
{
    int w = 0, h = 0;
    run.source->frameSize(w, h);
    FileResult why;
    std::unique_ptr<FrameWriter> writer = fileWriter(out, f, w, h, seekable(f), why);
    if (!writer)
        return {AnimationOutcome::BadOutput, "", why.error};
    return runAnimation(run, *writer);
}

}  // namespace

bool animationFormatOfName(const std::string& path, AnimationFormat* format,
                           PictureFormat* picture)
{
    for (const NamedFormat& n : kNames)
        if (endsWithNoCase(path, std::string(".") + n.name)) {
            *format = n.format;
            return true;
        }
    if (isNumberedName(path) && pictureFormatOfName(path, picture)) {
        *format = AnimationFormat::Pictures;
        return true;
    }
    return false;
}

bool animationFormatNamed(const std::string& name, AnimationFormat* format)
{
    for (const NamedFormat& n : kNames)
        if (name == n.name) {
            *format = n.format;
            return true;
        }
    return false;
}

bool streamable(AnimationFormat format)
{
    return format != AnimationFormat::Pictures;
}

FileResult checkAnimationEncoder(const AnimationOutput& out, int width, int height,
                                 std::string& encoder)
{
    encoder.clear();
    if (out.format != AnimationFormat::MP4 && out.format != AnimationFormat::MKV)
        return FileResult::success();
    return videoEncoderFor(videoOptions(out, true), width, height, encoder);
}

AnimationOutcome writeAnimation(const AnimationRun& run, const AnimationOutput& out)
{
    if (out.format == AnimationFormat::Pictures) {
        PictureSequenceWriter writer(out.path, out.picture);
        return runAnimation(run, writer);
    }
    if (out.path == "-") {
        AnimationOutcome outcome = writeTo(run, out, stdout);
        if (outcome && std::fflush(stdout) != 0)
            outcome = {AnimationOutcome::BadOutput, "", "cannot write to standard output"};
        return outcome;
    }
    AnimationOutcome outcome;
    const FileResult written = writeFileAtomically(out.path, [&](std::FILE* f) {
        outcome = writeTo(run, out, f);
        return bool(outcome);
    });
    if (outcome && !written)
        outcome = {AnimationOutcome::BadOutput, "", written.error};
    return outcome;
}

}  // namespace ovek

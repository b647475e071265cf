// Moving stereograms: GIF palette and dithering choices measured on a turn of
// the demo mesh (size, closeness, time), and frames a second at 1920 x 1080.
// The end-to-end times and the memory law over frame counts are in
// animate_bench.sh.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "animation/animation_output.h"
#include "animation/colour_palette.h"
#include "animation/video_writer.h"
#include "image/image.h"
#include "mesh/model_open.h"

namespace {

using namespace ovek;

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

struct Demo {
    Component3D model;
    std::shared_ptr<Image> pattern = std::make_shared<Image>(nullptr, 1, 1);
    Demo()
    {
        openModelFile(kDemo + "demo.3ds", &model);
        pattern->loadImage(kDemo + "pattern.bmp");
    }
};

Demo& demo()
{
    static Demo d;
    return d;
}

// Frames kept whole, to encode them again and again.
std::vector<std::unique_ptr<Image>> turnFrames(int frames, int w, int h)
{
    std::vector<std::unique_ptr<Image>> out;
    for (int k = 0; k < frames; ++k) {
        Component3D turned;
        turnedCopy(demo().model, {{TurnAxis::Y, turnAngle(360, k, frames)}}, turned);
        ProductionInput in;
        in.mesh = &turned;
        in.meshWidth = w;
        in.meshHeight = h;
        in.pattern = demo().pattern.get();
        out.push_back(produceStereogram(in));
    }
    return out;
}

// The GIF choices: per-frame or global palette, with or without ordered dithering.
void BM_GifColours(benchmark::State& state)
{
    static const auto frames = turnFrames(12, 866, 554);
    GifOptions options;
    options.colours = state.range(0) ? GifColours::Global : GifColours::PerFrame;
    options.ordered = state.range(1) != 0;
    size_t bytes = 0;
    for (auto _ : state) {
        char* data = nullptr;
        size_t size = 0;
        std::FILE* f = open_memstream(&data, &size);
        GifWriter writer(f, 866, 554, options);
        for (size_t k = 0; k < frames.size(); ++k) {
            auto prepared = writer.prepare(*frames[k], int(k));
            writer.write(*prepared, int(k));
        }
        writer.finish();
        std::fclose(f);
        bytes = size;
        std::free(data);
    }
    // Closeness: PSNR of the mapped colours against the frames, over every frame.
    double squared = 0, count = 0;
    std::shared_ptr<ColourPalette> global;
    for (const auto& frame : frames) {
        const ColourPalette palette = options.colours == GifColours::Global && global
                                          ? *global
                                          : paletteOf(*frame);
        if (options.colours == GifColours::Global && !global)
            global = std::make_shared<ColourPalette>(palette);
        std::vector<uint8_t> indices;
        indexPixels(*frame, palette, options.ordered, indices);
        for (int y = 0; y < frame->getHeight(); ++y)
            for (int x = 0; x < frame->getWidth(); ++x) {
                const int v = frame->getColor(x, y);
                const auto& c = palette.colours[indices[size_t(y) * size_t(frame->getWidth()) + size_t(x)]];
                for (int a = 0; a < 3; ++a) {
                    const double d = c[size_t(a)] - ((v >> (16 - 8 * a)) & 255);
                    squared += d * d;
                }
                count += 3;
            }
    }
    state.counters["kB"] = double(bytes) / 1000;
    state.counters["psnr_dB"] = 10 * std::log10(255.0 * 255 / (squared / count));
}
BENCHMARK(BM_GifColours)
    ->ArgNames({"global", "ordered"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Frames a second of a turn at 1920 x 1080 through the whole pipeline: to a
// writer that drops the frames (production alone) and to an MP4 in memory.
class DropFrames : public FrameWriter {
public:
    std::unique_ptr<PreparedFrame> prepare(const Image&, int) override
    {
        return std::make_unique<PreparedFrame>();
    }
    FileResult write(PreparedFrame&, int) override { return FileResult::success(); }
    FileResult finish() override { return FileResult::success(); }
};

void BM_TurnFullHD(benchmark::State& state)
{
    const int frames = 24;
    const TurnSource source(demo().model, "demo.3ds", TurnAxis::Y, 360, frames, 1920, 1080);
    AnimationRun run;
    run.source = &source;
    run.patterns = patternProvider(PatternMotion::Fixed, demo().pattern);
    run.threads = int(state.range(1));
    for (auto _ : state) {
        char* data = nullptr;
        size_t size = 0;
        std::FILE* f = open_memstream(&data, &size);
        if (state.range(0)) {
            VideoOptions options;
            VideoWriter writer(f, 1920, 1080, options);
            if (writer.open())
                runAnimation(run, writer);
        } else {
            DropFrames writer;
            runAnimation(run, writer);
        }
        std::fclose(f);
        std::free(data);
    }
    state.counters["fps"] =
        benchmark::Counter(double(frames) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TurnFullHD)
    ->ArgNames({"mp4", "threads"})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

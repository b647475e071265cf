// Picture files at 4000 x 3000: a depth-mode stereogram written as it is
// produced (BMP, PNG, JPEG, PPM); PNG and JPEG pattern-like and depth-like
// pictures read whole and as grey; the PNG compression settings tried on a
// stereogram; the heap of a streamed PNG write by picture height. The writes
// report the process's peak memory so far, so run one per process for a
// clean figure:
//   build/release/bench/picture_bench --benchmark_filter='Write/format:1'
// (format 0: BMP, 1: PNG, 2: JPEG, 3: PPM). bench/picture_outputs.sh times the
// command line end to end and compares the PNG files with ImageMagick's.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "image/grey_picture.h"
#include "image/image.h"
#include "image/picture_reader.h"
#include "image/picture_writer.h"
#include "image/png_writer.h"
#include "image/row_sink.h"
#include "production/production.h"

namespace {

constexpr int kWidth = 4000, kHeight = 3000;
const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";
const ovek::PictureFormat kFormats[] = {ovek::PictureFormat::BMP, ovek::PictureFormat::PNG,
                                        ovek::PictureFormat::JPEG, ovek::PictureFormat::PPM};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

std::string scratch(const std::string& name)
{
    return "/tmp/pexolen-picture-bench-" + std::to_string(getpid()) + "-" + name;
}

ovek::Image& pattern()
{
    static ovek::Image img(nullptr, 1, 1);
    static const bool loaded = bool(img.loadImage(kDemo + "pattern.bmp"));
    (void)loaded;
    return img;
}

// Overlapping smooth hills, as a depth map drawn by hand would be.
const ovek::GreyPicture& depthMap()
{
    static ovek::GreyPicture g = [] {
        ovek::GreyPicture d;
        d.width = kWidth;
        d.height = kHeight;
        d.values.resize(size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const double h = std::sin(x / 300.0) * std::cos(y / 200.0) + std::sin((x + y) / 700.0);
                d.values[size_t(y) * kWidth + size_t(x)] = uint8_t(std::lround(63.75 * (h + 2)));
            }
        return d;
    }();
    return g;
}

ovek::ProductionInput depthInput()
{
    ovek::ProductionInput in;
    in.modelType = ovek::MODEL_TYPE_IMAGE;
    in.pattern = &pattern();
    in.depthGrey = &depthMap();
    return in;
}

// The stereogram of the depth map, made once.
const ovek::Image& stereogram()
{
    static std::unique_ptr<ovek::Image> img = ovek::produceStereogram(depthInput());
    return *img;
}

void Write(benchmark::State& state)
{
    const ovek::PictureFormat format = kFormats[state.range(0)];
    const std::string path = scratch("write");
    const ovek::ProductionInput in = depthInput();
    for (auto _ : state) {
        const ovek::FileResult r = ovek::writePictureRows(
            path, format, kWidth, kHeight,
            [&](ovek::RowSink& rows) { return bool(ovek::produceStereogramRows(in, rows)); });
        if (!r)
            state.SkipWithError(r.error.c_str());
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    state.counters["file_MB"] = double(std::ftell(f)) / 1e6;
    std::fclose(f);
    std::remove(path.c_str());
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(Write)->ArgName("format")->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(3);

// A file of each kind, written once by our writer: the stereogram (a pattern
// picture: fine detail) or the depth map as grey (smooth).
const std::string& pictureBytes(ovek::PictureFormat format, bool depth)
{
    static std::string files[2][2];
    std::string& bytes = files[format == ovek::PictureFormat::JPEG][depth];
    if (bytes.empty()) {
        ovek::Image grey(nullptr, kWidth, kHeight);
        if (depth)
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    const uint8_t v = depthMap().at(x, y);
                    grey.setPixel(x, y, v, v, v);
                }
        const std::string path = scratch("read");
        ovek::writePictureFile(depth ? grey : stereogram(), format, path);
        ovek::readPictureFile(path, bytes);
        std::remove(path.c_str());
    }
    return bytes;
}

void Read(benchmark::State& state)
{
    const auto format = state.range(0) ? ovek::PictureFormat::JPEG : ovek::PictureFormat::PNG;
    const std::string& bytes = pictureBytes(format, state.range(1));
    for (auto _ : state) {
        ovek::Image img(nullptr, 1, 1);
        if (!ovek::decodePicture(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), img))
            state.SkipWithError("not read");
    }
}
BENCHMARK(Read)->ArgNames({"jpeg", "depth"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void ReadGrey(benchmark::State& state)
{
    const auto format = state.range(0) ? ovek::PictureFormat::JPEG : ovek::PictureFormat::PNG;
    const std::string path = scratch("grey");
    {
        const std::string& bytes = pictureBytes(format, true);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        ovek::GreyPicture g;
        if (!ovek::loadGreyPicture(path, g))
            state.SkipWithError("not read");
    }
    std::remove(path.c_str());
}
BENCHMARK(ReadGrey)->ArgName("jpeg")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// zlib level x row filters (libpng's bits: 0x08 none, 0x10 sub, 0x20 up,
// 0x80 Paeth, 0xf8 all) x strategy (0 default, 1 filtered, 3 run-length).
void PNGSettings(benchmark::State& state)
{
    ovek::PNGSettings s;
    s.level = int(state.range(0));
    s.filters = int(state.range(1));
    s.strategy = int(state.range(2));
    const ovek::Image& img = stereogram();
    long size = 0;
    for (auto _ : state) {
        std::FILE* f = std::tmpfile();
        const std::unique_ptr<ovek::RowEncoder> png = ovek::makePNGEncoder(f, s);
        bool ok = png->start(img.width, img.height);
        for (int y = 0; ok && y < img.height; ++y)
            ok = png->putRow(&img.pixels[size_t(img.height - 1 - y) * size_t(img.stride)]);
        ok = ok && png->finish();
        size = std::ftell(f);
        std::fclose(f);
        if (!ok)
            state.SkipWithError("not written");
    }
    state.counters["file_MB"] = double(size) / 1e6;
}
BENCHMARK(PNGSettings)
    ->ArgNames({"level", "filters", "strategy"})
    ->ArgsProduct({{1, 3, 6, 9}, {0x08, 0x10, 0x20, 0x80, 0xf8}, {0, 1, 3}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The heap in use while a picture of the given height is written as PNG, its
// rows in order: it must not grow with the height.
class SampledRows : public ovek::RowSink {
public:
    explicit SampledRows(const ovek::Image& img) : img_(img) {}
    bool produce(ovek::RowSink& sink, int height)
    {
        const int h = img_.height;
        for (int y = 0; y < height; ++y) {
            if (!sink.putRows(y, 1, &img_.pixels[size_t(h - 1 - y % h) * size_t(img_.stride)], 0))
                return false;
            if (y % 64 == 0)
                peak = std::max(peak, mallinfo2().uordblks + mallinfo2().hblkhd);
        }
        return true;
    }
    bool putRows(int, int, const uint8_t*, std::ptrdiff_t) override { return false; }
    size_t peak = 0;

private:
    const ovek::Image& img_;
};

void StreamedPNGHeap(benchmark::State& state)
{
    const ovek::Image& img = stereogram();
    const int height = int(state.range(0));
    const std::string path = scratch("heap");
    SampledRows rows(img);
    const size_t before = mallinfo2().uordblks + mallinfo2().hblkhd;
    for (auto _ : state)
        ovek::writePictureRows(path, ovek::PictureFormat::PNG, img.width, height,
                               [&](ovek::RowSink& sink) { return rows.produce(sink, height); });
    std::remove(path.c_str());
    state.counters["heap_MB"] = double(rows.peak - before) / 1e6;
}
BENCHMARK(StreamedPNGHeap)->ArgName("height")->Arg(750)->Arg(3000)->Arg(12000)
    ->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

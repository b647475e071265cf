#include <gtest/gtest.h>

#include <gif_lib.h>
#include <webp/demux.h>

#include <cmath>
#include <filesystem>

#include "mesh/turn_model.h"
#include "image/image.h"
#include "mesh/model_open.h"
#include "production/production.h"
#include "tests/app/run_pexolen.h"

using testutil::Outcome;
using testutil::loadPicture;
using testutil::pexolen;

namespace {

const std::string kDemo = std::string(PEXOLEN_SOURCE_DIR) + "/demo/";

size_t entriesIn(const std::filesystem::path& dir)
{
    size_t n = 0;
    for (auto it = std::filesystem::directory_iterator(dir); it != std::filesystem::directory_iterator(); ++it)
        ++n;
    return n;
}

// Every frame of a GIF as red << 16 | green << 8 | blue, top row first.
std::vector<std::vector<int>> gifFrames(const std::string& path, int& w, int& h)
{
    std::vector<std::vector<int>> frames;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    EXPECT_TRUE(gif) << path;
    if (!gif)
        return frames;
    EXPECT_EQ(DGifSlurp(gif), GIF_OK);
    w = gif->SWidth;
    h = gif->SHeight;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& s = gif->SavedImages[i];
        const ColorMapObject* map = s.ImageDesc.ColorMap ? s.ImageDesc.ColorMap : gif->SColorMap;
        EXPECT_TRUE(map);
        EXPECT_EQ(s.ImageDesc.Width, w);
        std::vector<int> pixels;
        for (int p = 0; map && p < s.ImageDesc.Width * s.ImageDesc.Height; ++p) {
            const GifColorType& c = map->Colors[s.RasterBits[p]];
            pixels.push_back(c.Red << 16 | c.Green << 8 | c.Blue);
        }
        frames.push_back(pixels);
    }
    DGifCloseFile(gif, &error);
    return frames;
}

std::vector<std::vector<int>> webpFrames(const std::string& path, int& w, int& h)
{
    std::vector<std::vector<int>> frames;
    const std::string bytes = testutil::readFile(path);
    WebPData data{reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()};
    WebPAnimDecoderOptions options;
    WebPAnimDecoderOptionsInit(&options);
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
    EXPECT_TRUE(decoder) << path;
    if (!decoder)
        return frames;
    WebPAnimInfo info;
    WebPAnimDecoderGetInfo(decoder, &info);
    w = int(info.canvas_width);
    h = int(info.canvas_height);
    EXPECT_EQ(info.loop_count, 0u) << "loops forever";
    uint8_t* rgba = nullptr;
    int timestamp = 0;
    while (WebPAnimDecoderGetNext(decoder, &rgba, &timestamp)) {
        std::vector<int> pixels;
        for (int p = 0; p < w * h; ++p)
            pixels.push_back(rgba[4 * p] << 16 | rgba[4 * p + 1] << 8 | rgba[4 * p + 2]);
        frames.push_back(pixels);
    }
    WebPAnimDecoderDelete(decoder);
    return frames;
}

std::vector<int> pixelsOf(const ovek::Image& img)
{
    std::vector<int> pixels;
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = 0; x < img.getWidth(); ++x)
            pixels.push_back(img.getColor(x, y));
    return pixels;
}

TEST(CommandLineAnimate, NumberedFramesAreSingleProductionsOfTheTurnedModel)
{
    testutil::TempDir dir;
    const Outcome r = pexolen("animate --size 240x160 --degrees 90 --frames 3 --threads 2 -o " +
                              dir.file("f_%02d.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("3 frames of 240 x 160"), std::string::npos) << r.out;
    ASSERT_EQ(pexolen("produce --size 240x160 -o " + dir.file("p.png")).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("f_00.png")), testutil::readFile(dir.file("p.png")))
        << "frame 0 is the unturned model's stereogram, byte for byte";

    Component3D model;
    ASSERT_TRUE(ovek::openModelFile(kDemo + "demo.3ds", &model));
    const auto pattern = loadPicture(kDemo + "pattern.bmp");
    for (int k = 1; k < 3; ++k) {
        Component3D turned;
        ovek::turnedCopy(model, {{ovek::TurnAxis::Y, 30.0 * k}}, turned);
        ovek::ProductionInput in;
        in.mesh = &turned;
        in.meshWidth = 240;
        in.meshHeight = 160;
        in.pattern = pattern.get();
        const auto frame = loadPicture(dir.file("f_0" + std::to_string(k) + ".png"));
        EXPECT_EQ(frame->pixels, ovek::produceStereogram(in)->pixels) << "frame " << k;
    }
}

// Every frame of a turn equals "pexolen produce" with the same settings and a
// --rotate spelling the frame's orientation.
TEST(CommandLineAnimate, FramesWithSettingsAreProduceRotateByteForByte)
{
    testutil::TempDir dir;
    const std::string settings = " --size 240x160 --cross-eyed --eye-separation 3cm --dpi 120"
                                 " --depth-scale 1.4 --pattern colour-dots --seed 77 --mark none"
                                 " --guides top --oversample 2";
    struct Case {
        std::string turn;                     // the animation's turn and starting orientation
        std::string (*rotate)(int k);         // produce's --rotate of frame k
    } cases[] = {
        // After a tilt about x, a turn about z: --rotate 20,0,z.
        {"--rotate 20,0,0 --turn z --degrees 90 --frames 3",
         [](int k) { return "20,0," + std::to_string(30 * k); }},
        // From no rotation, a turn about the vertical is --rotate 0,y,0.
        {"--rotate=0,0,0 --turn y --degrees=-120 --frames 3",
         [](int k) { return "0," + std::to_string(-40 * k) + ",0"; }},
    };
    for (const Case& c : cases) {
        const Outcome r =
            pexolen("animate -q --threads 2 " + c.turn + settings + " -o " + dir.file("f_%d.bmp"));
        ASSERT_EQ(r.status, 0) << r.err;
        std::string first;
        for (int k = 0; k < 3; ++k) {
            const std::string single = dir.file("p" + std::to_string(k) + ".bmp");
            ASSERT_EQ(pexolen("produce -q --rotate " + c.rotate(k) + settings + " -o " + single)
                          .status,
                      0);
            const std::string frame = testutil::readFile(dir.file("f_" + std::to_string(k) + ".bmp"));
            EXPECT_EQ(frame, testutil::readFile(single)) << c.turn << ": frame " << k;
            if (k == 0)
                first = frame;
            else
                EXPECT_NE(frame, first) << "the model turns";
        }
    }
}

// Generated dots: fixed keeps the seed, fresh takes seed + k each frame, both
// the dots "pexolen produce" makes; drift moves the same tile.
TEST(CommandLineAnimate, GeneratedDotsAreProductionsDotsFrameByFrame)
{
    testutil::TempDir dir;
    const std::string common = "animate -q --size 200x150 --degrees 90 --frames 3 ";
    const std::string produce = "produce -q --size 200x150 ";
    auto frame = [&](int k) { return testutil::readFile(dir.file("f" + std::to_string(k) + ".bmp")); };
    auto single = [&](const std::string& args) {
        EXPECT_EQ(pexolen(produce + args + " -o " + dir.file("p.bmp")).status, 0) << args;
        return testutil::readFile(dir.file("p.bmp"));
    };
    const std::string out = " -o " + dir.file("f%d.bmp");
    ASSERT_EQ(pexolen(common + "--pattern-motion fresh --pattern dots --density 20 --seed 4294967295" + out).status, 0);
    EXPECT_EQ(frame(0), single("--pattern dots --density 20 --seed 4294967295"));
    EXPECT_EQ(frame(2), single("--pattern dots --density 20 --seed 1 --rotate 0,60,0"))
        << "seed + 2, wrapping round";

    ASSERT_EQ(pexolen(common + "--pattern-motion fresh" + out).status, 0);
    EXPECT_EQ(frame(1), single("--pattern dots --seed 2 --rotate 0,30,0"))
        << "fresh without a pattern: black and white dots from the default seed";

    ASSERT_EQ(pexolen(common + "--pattern grey-dots --seed 9" + out).status, 0);
    EXPECT_EQ(frame(2), single("--pattern grey-dots --seed 9 --rotate 0,60,0"));
    const std::string fixed = frame(2);

    ASSERT_EQ(pexolen(common + "--pattern-motion drift --pattern grey-dots --seed 9" + out).status, 0);
    EXPECT_EQ(frame(0), single("--pattern grey-dots --seed 9"));
    EXPECT_NE(frame(2), fixed) << "the dots drift";

    for (const char* refused : {"--pattern-motion fresh --pattern none",
                                "--pattern-motion=fresh --pattern dots --pattern x.bmp"}) {
        const Outcome r = pexolen(common + refused + out);
        EXPECT_EQ(r.status, 1) << refused;
        EXPECT_NE(r.err.find("no pattern picture"), std::string::npos) << r.err;
    }
}

// A resampled depth sequence: frame k is "produce --depth frame_k --size WxH".
TEST(CommandLineAnimate, ResampledDepthFramesAreProduceWithSize)
{
    testutil::TempDir dir;
    for (int k = 0; k < 3; ++k) {
        ovek::Image img(nullptr, 90 + 13 * k, 70);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < img.getWidth(); ++x)
                img.setColor(x, y, (x * 7 + y * 3 * k) & 255, 0, 0);
        ASSERT_TRUE(img.writeBMPFile(dir.file("d" + std::to_string(k) + ".bmp")));
    }
    const std::string settings = " --size 830x610 --invert --depth-scale 0.6 --oversample 3 -q";
    Outcome r = pexolen("animate --depth " + dir.file("d%d.bmp") + settings + " -v -o " +
                        dir.file("f%d.png"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("geometry: background repeat"), std::string::npos) << r.out;
    for (int k = 0; k < 3; ++k) {
        const std::string n = std::to_string(k);
        ASSERT_EQ(pexolen("produce --depth " + dir.file("d" + n + ".bmp") + settings + " -o " +
                          dir.file("p.png")).status, 0);
        EXPECT_EQ(testutil::readFile(dir.file("f" + n + ".png")), testutil::readFile(dir.file("p.png")))
            << "frame " << k;
    }
}

// Peak signal to noise of b against a, over the three colours, in dB.
double psnr(const std::vector<int>& a, const std::vector<int>& b)
{
    EXPECT_EQ(a.size(), b.size());
    double squared = 0;
    for (size_t p = 0; p < a.size() && p < b.size(); ++p)
        for (int shift : {0, 8, 16}) {
            const double d = ((a[p] >> shift) & 255) - ((b[p] >> shift) & 255);
            squared += d * d;
        }
    return squared == 0 ? 1000 : 10 * std::log10(255.0 * 255 / (squared / (3.0 * a.size())));
}

TEST(CommandLineAnimate, GifAndWebPHoldEveryFrameOfTheSequence)
{
    testutil::TempDir dir;
    // Black and white dots without the mark: greys only, at most 256 of them.
    const std::string common =
        "animate --pattern-motion fresh --mark none --size 200x120 --frames 4 -q -o ";
    for (const char* name : {"a.gif", "a.webp", "f%d.bmp"})
        ASSERT_EQ(pexolen(common + dir.file(name)).status, 0) << name;
    std::vector<std::vector<int>> frames;
    for (int k = 0; k < 4; ++k)
        frames.push_back(pixelsOf(*loadPicture(dir.file("f" + std::to_string(k) + ".bmp"))));
    EXPECT_NE(frames[1], frames[2]) << "fresh dots each frame";
    int w = 0, h = 0;
    EXPECT_EQ(webpFrames(dir.file("a.webp"), w, h), frames) << "lossless";
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 120);
    w = h = 0;
    const auto gif = gifFrames(dir.file("a.gif"), w, h);
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 120);
    ASSERT_EQ(gif.size(), 4u);
    // The palette is the first frame's: its greys are kept exactly;
    // later frames blend a few others, which come close.
    EXPECT_EQ(gif[0], frames[0]);
    for (size_t k = 1; k < 4; ++k)
        EXPECT_GT(psnr(frames[k], gif[k]), 30.0) << "frame " << k;
}

TEST(CommandLineAnimate, GifOfManyColoursStaysClose)
{
    testutil::TempDir dir;
    ASSERT_EQ(pexolen("animate --size 300x200 --frames 2 -q -o " + dir.file("t.gif")).status, 0);
    ASSERT_EQ(pexolen("animate --size 300x200 --frames 2 -q -o " + dir.file("t%d.png")).status, 0);
    int w = 0, h = 0;
    const auto gif = gifFrames(dir.file("t.gif"), w, h);
    ASSERT_EQ(gif.size(), 2u);
    // 256 colours for a quarter million: the measured closeness is about 28 dB.
    EXPECT_GT(psnr(pixelsOf(*loadPicture(dir.file("t1.png"))), gif[1]), 25.0);
}

std::string probe(const std::string& path)
{
    return testutil::runShell(std::string(PEXOLEN_FFPROBE) +
                              " -v error -count_frames -show_entries "
                              "stream=codec_name,width,height,nb_read_frames -of compact " +
                              path)
        .out;
}

TEST(CommandLineAnimate, VideosHoldEveryFrameAtTheirSize)
{
    if (std::string(PEXOLEN_FFPROBE).empty() || std::string(PEXOLEN_FFPROBE).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "ffprobe is not installed";
    testutil::TempDir dir;
    const std::string common = " --size 240x160 --frames 5 --degrees 40 ";
    for (const char* name : {"v.mp4", "v.mkv"}) {
        const Outcome r = pexolen("animate" + common + "-o " + dir.file(name));
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string info = probe(dir.file(name));
        EXPECT_NE(info.find("width=240|height=160|nb_read_frames=5"), std::string::npos) << info;
        // The encoder named on the success line is the one in the file.
        if (r.out.find("libx264") != std::string::npos) {
            EXPECT_NE(info.find("codec_name=h264"), std::string::npos) << info;
        }
    }
    // Through a pipe: MP4 in fragments, Matroska as it is.
    for (const char* format : {"mp4", "mkv"}) {
        const std::string piped = dir.file(std::string("piped.") + format);
        const Outcome r = testutil::runShell(std::string(PEXOLEN_BIN) + " animate" + common +
                                             "--format " + format + " -o - | cat > " + piped);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(probe(piped).find("nb_read_frames=5"), std::string::npos) << format;
    }
}

void writeDepth(const std::string& path, int w, int h, int level)
{
    ovek::Image img(nullptr, w, h);
    for (int y = h / 4; y < 3 * h / 4; ++y)
        for (int x = w / 4; x < 3 * w / 4; ++x)
            img.setColor(x, y, level, level, level);
    ASSERT_TRUE(img.writeBMPFile(path));
}

TEST(CommandLineAnimate, DepthSequencesStopAtABadFrameWithItsName)
{
    testutil::TempDir dir;
    for (int k = 0; k < 4; ++k)
        writeDepth(dir.file("d_00" + std::to_string(k) + ".bmp"), 100, 80, 60 * k);
    const std::string depth = " --depth " + dir.file("d_%03d.bmp") + " -q -o ";
    Outcome r = pexolen("animate" + depth + dir.file("out%d.bmp"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(loadPicture(dir.file("out3.bmp"))->getWidth(), 800) << "at least 800 x 600";
    EXPECT_FALSE(std::filesystem::exists(dir.file("out4.bmp")));

    // Mixed sizes: refused before any work, unless resampled to one size.
    writeDepth(dir.file("d_002.bmp"), 120, 80, 0);
    r = pexolen("animate" + depth + dir.file("mixed.gif"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("d_002.bmp"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("mixed.gif")));
    r = pexolen("animate --size 900x640" + depth + dir.file("resampled.gif"));
    ASSERT_EQ(r.status, 0) << r.err;
    int w = 0, h = 0;
    EXPECT_EQ(gifFrames(dir.file("resampled.gif"), w, h).size(), 4u);
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 640);

    // A frame cut short, and one that is no picture: the first in order is named.
    const std::string whole = testutil::readFile(dir.file("d_001.bmp"));
    testutil::writeFile(dir.file("d_001.bmp"), whole.substr(0, whole.size() - 500));
    testutil::writeFile(dir.file("d_003.bmp"), "not a picture");
    const size_t before = entriesIn(dir.path());
    r = pexolen("animate --size 900x640" + depth + dir.file("cut.gif"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("d_001.bmp"), std::string::npos) << r.err;
    EXPECT_EQ(entriesIn(dir.path()), before) << "no output, and no temporary file";
}

TEST(CommandLineAnimate, MistakesAreRefusedBeforeAnyWork)
{
    testutil::TempDir dir;
    const std::string out = " -o " + dir.file("a.gif");
    for (const std::string& args : std::vector<std::string>{"--frames 0", "--frames 100001", "--fps 0", "--fps 61", "--turn w", "--degrees 1e9",
          "--degrees nan", "--quality 101", "--pattern-motion wobble", "--threads 0",
          "--size 10x0", "--depth d.bmp --model m.3ds", "--depth d.bmp --frames 3",
          "--pattern-motion fresh --pattern " + kDemo + "pattern.bmp", "--format avi",
          "--format mp4", "--eye-separation 5", "--oversample 9", "--rotate 1,2",
          "--print 20x15", "--seed -1", "--size 10x10 --print 5x5km"}) {
        const Outcome r = pexolen("animate " + args + out);
        EXPECT_EQ(r.status, 1) << args << ": " << r.err;
        EXPECT_NE(r.err.find("Usage: pexolen animate"), std::string::npos) << args;
    }
    for (const char* name : {"a.avi", "a", "a_%d_%d.png", "a_%s.png"}) {
        const Outcome r = pexolen("animate -o '" + dir.file(name) + "'");
        EXPECT_EQ(r.status, 1) << name << ": " << r.err;
    }
    EXPECT_EQ(entriesIn(dir.path()), 0u);
    EXPECT_EQ(pexolen("animate --model " + dir.file("none.3ds") + out).status, 2);
    EXPECT_EQ(pexolen("animate --depth " + dir.file("none_%03d.png") + out).status, 2);
    EXPECT_EQ(pexolen("animate -o " + dir.file("missing/a.gif")).status, 3);
    EXPECT_EQ(pexolen("animate -o " + dir.file("missing/f%d.png")).status, 3);
    EXPECT_EQ(entriesIn(dir.path()), 0u);
    const Outcome help = pexolen("animate --help");
    EXPECT_EQ(help.status, 0);
    for (const char* mention : {"--pattern-motion", "--cross-eyed", "--eye-separation LEN",
                                "--depth-scale F", "--invert", "--pattern KIND", "--density P",
                                "--seed N", "--mark signature|none", "--guides none|top|bottom",
                                "--oversample N", "--rotate X,Y,Z", "--print WxH", "-v, --verbose"})
        EXPECT_NE(help.out.find(mention), std::string::npos) << "lacks " << mention;
}

TEST(CommandLineAnimate, InterruptedRunLeavesNoFile)
{
    testutil::TempDir dir;
    // Run in the foreground: a shell starts background jobs with Ctrl-C ignored.
    const Outcome r = testutil::runShell("timeout --preserve-status -s INT 1.5 " +
                                         std::string(PEXOLEN_BIN) + " animate -q --frames 5000 -o " +
                                         dir.file("long.gif") + "; echo $?");
    EXPECT_EQ(r.out, "130\n") << "ended by the signal: " << r.err;
    EXPECT_EQ(entriesIn(dir.path()), 0u);
}

}  // namespace

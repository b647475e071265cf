// Drops as file managers hand them over: URI lists with escapes, line ends of
// either kind, comments, other hosts and schemes, and plain paths.
#include <gtest/gtest.h>

#include <random>

#include "toolkit/file_drop.h"

using ovek::droppedFilePaths;
using Paths = std::vector<std::string>;

namespace {

// What a file manager sends for a local path: every byte outside the
// unreserved set and '/' escaped.
std::string fileUri(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri.push_back(char(c));
        } else {
            uri.push_back('%');
            uri.push_back(hex[c >> 4]);
            uri.push_back(hex[c & 15]);
        }
    }
    return uri;
}

TEST(FileDrop, URIListsGiveTheirLocalPathsInOrder)
{
    struct Case {
        std::string text;
        Paths paths;
    } cases[] = {
        {"file:///home/u/My%20Depth.png\r\nfile:///tmp/car.3ds\r\n",
         {"/home/u/My Depth.png", "/tmp/car.3ds"}},
        {"file:///a.png\nfile:///b.png", {"/a.png", "/b.png"}},   // LF, no final line end
        {"# a comment\r\nfile:///a.png\r\n\r\n", {"/a.png"}},
        {"file://localhost/srv/x.om\n", {"/srv/x.om"}},
        {"FILE:///upper.bmp\n", {"/upper.bmp"}},
        // Chinese names arrive as escaped UTF-8.
        {"file:///tmp/%E6%B7%B1%E5%BA%A6.png\n", {"/tmp/\xe6\xb7\xb1\xe5\xba\xa6.png"}},
        // A '%' that escapes nothing stays; plain paths are taken as they are.
        {"file:///100%.png\n/tmp/50%20off.png\n", {"/100%.png", "/tmp/50%20off.png"}},
        // Not this machine's, not a file, not a path, a NUL hidden in an escape.
        {"file://server/share/a.png\nhttp://x/a.png\nrelative.png\nfile:///a%00b.png\nfile:a.png\n",
         {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(droppedFilePaths(c.text), c.paths) << c.text;
}

TEST(FileDrop, AnyPathSurvivesTheRoundTripAndAnyTextGivesOnlyAbsolutePaths)
{
    std::mt19937 random(21);
    std::uniform_int_distribution<int> byte(1, 255), length(1, 40);
    for (int round = 0; round < 2000; ++round) {
        std::string path = "/";
        for (int i = length(random); i > 0; --i) {
            const char c = char(byte(random));
            if (c != '\n' && c != '\r')
                path.push_back(c);
        }
        EXPECT_EQ(droppedFilePaths(fileUri(path) + "\r\n"), Paths{path});

        std::string noise;
        for (int i = length(random) * 4; i > 0; --i)
            noise.push_back(char(byte(random) - 1));
        for (const std::string& p : droppedFilePaths(noise)) {
            ASSERT_FALSE(p.empty());
            EXPECT_EQ(p[0], '/');
            EXPECT_EQ(p.find('\0'), std::string::npos);
        }
    }
}

TEST(FileDrop, AHugeDropIsCut)
{
    std::string text;
    for (size_t i = 0; i < ovek::kMaxDroppedFiles + 10; ++i)
        text += "file:///f" + std::to_string(i) + ".png\r\n";
    const Paths paths = droppedFilePaths(text);
    ASSERT_EQ(paths.size(), ovek::kMaxDroppedFiles);
    EXPECT_EQ(paths.front(), "/f0.png");
}

}  // namespace

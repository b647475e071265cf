#pragma once
// Small helpers shared by the tests.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testutil {

// A fresh folder removed again at the end of the test.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pexolen-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot make a temporary folder";
        path_ = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The shared corpus folder, or "" (and the test is skipped) when it is absent.
inline std::string corpusDir(const std::string& sub)
{
    const std::filesystem::path dir = std::filesystem::path(PEXOLEN_CORPUS_DIR) / sub;
    return std::filesystem::is_directory(dir) ? dir.string() : std::string();
}

// In CI (CI=true) the corpus must be there: its absence fails instead of skipping.
inline bool inCI()
{
    const char* ci = std::getenv("CI");
    return ci && std::string(ci) == "true";
}

#define SKIP_WITHOUT_CORPUS(var, sub)                                                  \
    const std::string var = testutil::corpusDir(sub);                                  \
    if (var.empty() && testutil::inCI())                                               \
        FAIL() << "shared corpus folder '" << sub << "' is absent, and CI needs it";   \
    if (var.empty())                                                                   \
        GTEST_SKIP() << "shared corpus folder '" << sub << "' is absent next to the project"

}  // namespace testutil

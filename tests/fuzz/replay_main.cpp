// Runs a fuzz harness over every file of the folders given on the command line
// (kept crash cases and real files), so that each reader is exercised under the
// sanitizers in every test run, also with compilers that have no libFuzzer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    // In CI every folder must be there and hold files: a lost corpus or an
    // emptied regression folder would otherwise pass unnoticed.
    const char* ci = std::getenv("CI");
    const bool strict = ci && std::strcmp(ci, "true") == 0;
    size_t files = 0;
    int missing = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path dir(argv[i]);
        size_t here = 0;
        if (std::filesystem::is_directory(dir)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
                if (!entry.is_regular_file())
                    continue;
                std::ifstream in(entry.path(), std::ios::binary);
                const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
                LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()),
                                       bytes.size());
                ++here;
            }
        }
        if (here == 0) {
            std::printf("%s folder %s has no files\n", strict ? "error:" : "skipping:", argv[i]);
            ++missing;
        }
        files += here;
    }
    std::printf("replayed %zu files\n", files);
    return strict && missing ? 1 : 0;
}

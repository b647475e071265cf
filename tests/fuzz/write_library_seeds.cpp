// Writes the cube samples as seeds of the library fuzz harness: the first
// byte picks the format as library_fuzz.cpp reads it.
//   write_library_seeds FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "mesh/library_reader.h"
#include "tests/mesh/model_samples.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_library_seeds FOLDER\n");
        return 1;
    }
    int n = 0;
    for (const samples::Sample& s : samples::cubeSamples()) {
        size_t pick = 0;
        while (std::string(ovek::kLibraryModelEndings[pick]) != s.ending)
            ++pick;
        const std::string name =
            std::string(argv[1]) + "/cube-" + std::to_string(n++) + s.ending;
        std::ofstream out(name, std::ios::binary);
        out << char(pick) << s.bytes;
        if (!out)
            return 1;
    }
    return 0;
}

// Writes the fuzz target's seed corpus into the folder it is given: seed-1.csv, seed-2.csv, ...
#include <cstdio>
#include <string>

#include "tests/fuzz/inventory_input.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: inventory_fuzz_seeds FOLDER\n");
        return 2;
    }
    int number = 0;
    for (const std::string& file : InventorySeedFiles()) {
        const std::string path =
            std::string(argv[1]) + "/seed-" + std::to_string(++number) + ".csv";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size() ||
            std::fclose(out) != 0) {
            std::perror(path.c_str());
            return 1;
        }
    }
    return 0;
}

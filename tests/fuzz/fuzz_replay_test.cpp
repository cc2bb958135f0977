// The fuzz target's seeds and every input kept in corpus/ (what fuzzing once found wrong), through
// the same checks and the same entry point as under libFuzzer.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "inventory/file_inventory.h"
#include "tests/fuzz/inventory_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Replay(const std::string& input) {
    const std::string fault = InventoryInputFault(input.data(), input.size());
    EXPECT_EQ(fault, "");
    if (fault.empty())  // the entry point ends the process on a fault, as libFuzzer wants
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

TEST(InventoryFuzzReplay, TheWritersSeedsOpenAndComeBackTheSame) {
    for (const std::string& seed : InventorySeedFiles()) {
        SCOPED_TRACE(seed.substr(0, 200));
        LoadedInventory loaded;
        InventoryError error;
        EXPECT_TRUE(LoadInventory(seed.data(), seed.size(), loaded, error)) << error.line;
        Replay(seed);
    }
}

TEST(InventoryFuzzReplay, EveryKeptInputIsAnsweredSoundly) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_FUZZ_CORPUS)) {
        SCOPED_TRACE(entry.path().string());
        std::ifstream in(entry.path(), std::ios::binary);
        Replay(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

}  // namespace

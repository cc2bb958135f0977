// libFuzzer's entry point for the saved-inventory reader: any bytes, as a file the program opens.
// Built by scripts/fuzz.sh with clang; the native suite calls it too, over the seeds and corpus/.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/inventory_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string fault = InventoryInputFault(reinterpret_cast<const char*>(data), size);
    if (!fault.empty()) {
        std::fprintf(stderr, "saved-inventory reader: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}

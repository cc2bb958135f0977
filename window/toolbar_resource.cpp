#include "window/toolbar_resource.h"

namespace {

// Little-endian, as resources are stored.
uint32_t Word(const uint8_t* data, uint32_t at) {
    return static_cast<uint32_t>(data[at] | data[at + 1] << 8);
}

uint32_t Dword(const uint8_t* data, uint32_t at) {
    return Word(data, at) | Word(data, at + 2) << 16;
}

// Whether size bytes hold a header of headerBytes and count items of itemBytes each.
bool Holds(uint32_t size, uint32_t headerBytes, uint32_t count, uint32_t itemBytes) {
    return size >= headerBytes &&
           static_cast<uint64_t>(size) >= headerBytes + static_cast<uint64_t>(count) * itemBytes;
}

}  // namespace

bool ReadToolBarResource(const uint8_t* data, uint32_t size, ToolBarLayout& layout) {
    if (size >= 8 && Word(data, 0) == 1 && Holds(size, 8, Word(data, 6), 2)) {
        layout.width = static_cast<int>(Word(data, 2));
        layout.height = static_cast<int>(Word(data, 4));
        for (uint32_t i = 0; i < Word(data, 6); ++i)
            layout.ids.push_back(Word(data, 8 + 2 * i));
        return true;
    }
    if (size >= 12 && Holds(size, 12, Dword(data, 8), 4)) {
        layout.width = static_cast<int>(Dword(data, 0));
        layout.height = static_cast<int>(Dword(data, 4));
        for (uint32_t i = 0; i < Dword(data, 8); ++i)
            layout.ids.push_back(Dword(data, 12 + 4 * i));
        return true;
    }
    return false;
}

// The toolbar resource (type 241): button size and one command id per item, 0 for a separator.
// The resource compiler of the Windows SDK writes WORDs after a version word of 1; windres writes
// DWORDs and no version. Portable, so both layouts are read the same way without a window.
#pragma once

#include <cstdint>
#include <vector>

// The resource type of a toolbar resource (RT_TOOLBAR of the framework's resource compiler).
constexpr unsigned int kToolBarResourceType = 241;

struct ToolBarLayout {
    int width = 0;
    int height = 0;
    std::vector<unsigned int> ids;
};

// False when size bytes of data hold neither layout in full.
bool ReadToolBarResource(const uint8_t* data, uint32_t size, ToolBarLayout& layout);

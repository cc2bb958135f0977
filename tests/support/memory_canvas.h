// A 32-bit top-down bitmap selected into a memory device context, for painting and reading back.
#pragma once

#include <windows.h>

#include <cstdint>

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    RECT rect() const { return RECT{0, 0, width_, height_}; }
    // COLORREF of the pixel (red in the low byte).
    COLORREF At(int x, int y) const;
    // True when every pixel of the rectangle has the colour.
    bool AllOf(const RECT& area, COLORREF colour) const;
    // Number of pixels in the rectangle whose colour differs from colour.
    int CountOther(const RECT& area, COLORREF colour) const;
    // Writes the picture as a 32-bit BMP file, for looking at a failure.
    bool Save(const char* path) const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;
};

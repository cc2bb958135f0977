// Sizes in pixels are given for the standard 96 DPI (100 %); a window shown at another DPI draws
// them scaled. Portable, so the arithmetic holds without a window.
#pragma once

constexpr int kStandardDpi = 96;

// pixels at 96 DPI, at dpi: rounded to the nearest pixel, a half away from zero, as MulDiv rounds.
// A dpi of 0 or less (unknown) leaves the size as it is.
int ScaleToDpi(int pixels, int dpi);

// A size measured at one DPI (a width the user dragged), at another.
int RescaleDpi(int pixels, int fromDpi, int toDpi);

#include "window/dpi_scale.h"

#include <cstdint>

int RescaleDpi(int pixels, int fromDpi, int toDpi) {
    if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi)
        return pixels;
    const int64_t product = static_cast<int64_t>(pixels) * toDpi;
    const int64_t half = fromDpi / 2;
    const int64_t rounded = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
    return static_cast<int>(rounded);
}

int ScaleToDpi(int pixels, int dpi) {
    return RescaleDpi(pixels, kStandardDpi, dpi);
}

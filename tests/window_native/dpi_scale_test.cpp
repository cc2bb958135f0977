// Pixel sizes given for 96 DPI at other display scales: rounded as MulDiv rounds, the standard
// scales exact, and a size the user chose carried from one scale to another.
#include "window/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScale, SizesAtTheStandardScales) {
    EXPECT_EQ(ScaleToDpi(180, 96), 180);
    EXPECT_EQ(ScaleToDpi(180, 144), 270);
    EXPECT_EQ(ScaleToDpi(120, 144), 180);
    EXPECT_EQ(ScaleToDpi(120, 192), 240);
    EXPECT_EQ(ScaleToDpi(16, 120), 20);
    EXPECT_EQ(ScaleToDpi(24, 168), 42);
}

TEST(DpiScale, HalvesRoundAwayFromZeroAndAnUnknownDpiChangesNothing) {
    EXPECT_EQ(ScaleToDpi(1, 144), 2);   // 1.5
    EXPECT_EQ(ScaleToDpi(7, 144), 11);  // 10.5
    EXPECT_EQ(ScaleToDpi(2, 120), 3);   // 2.5
    EXPECT_EQ(ScaleToDpi(1, 120), 1);   // 1.25
    EXPECT_EQ(ScaleToDpi(-7, 144), -11);
    EXPECT_EQ(ScaleToDpi(0, 192), 0);
    EXPECT_EQ(ScaleToDpi(180, 0), 180);
    EXPECT_EQ(ScaleToDpi(180, -96), 180);
    // Large sizes do not overflow on the way.
    EXPECT_EQ(ScaleToDpi(30000000, 192), 60000000);
}

TEST(DpiScale, ASizeCarriedBetweenScales) {
    EXPECT_EQ(RescaleDpi(205, 96, 144), 308);  // 307.5
    EXPECT_EQ(RescaleDpi(308, 144, 96), 205);  // 205.33
    EXPECT_EQ(RescaleDpi(270, 144, 192), 360);
    EXPECT_EQ(RescaleDpi(270, 144, 144), 270);
    EXPECT_EQ(RescaleDpi(270, 0, 144), 270);
}

}  // namespace

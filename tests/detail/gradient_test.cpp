// FillGradientRect painting into a memory device context.
#include "views/gradient.h"

#include <gtest/gtest.h>

#include "tests/support/memory_canvas.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kPaneBlue = RGB(230, 239, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(FillGradientRect, VerticalStripOf120Pixels) {
    MemoryCanvas canvas(40, 120, kMagenta);
    FillGradientRect(canvas.dc(), 0, 0, 30, 120, kPaneBlue, kWhite, true);
    EXPECT_TRUE(canvas.AllOf({0, 0, 30, 4}, kPaneBlue));
    EXPECT_TRUE(canvas.AllOf({0, 4, 30, 9}, RGB(231, 239, 255)));
    EXPECT_TRUE(canvas.AllOf({0, 115, 30, 120}, RGB(254, 254, 255)));
    EXPECT_TRUE(canvas.AllOf({30, 0, 40, 120}, kMagenta));  // nothing right of the strip
    for (int y = 0; y < 120; ++y)
        EXPECT_NE(canvas.At(0, y), kWhite) << y;
}

TEST(FillGradientRect, StripOf116PixelsLeavesTheLastRow) {
    MemoryCanvas canvas(30, 116, kMagenta);
    FillGradientRect(canvas.dc(), 0, 0, 30, 116, kPaneBlue, kWhite, true);
    EXPECT_TRUE(canvas.AllOf({0, 111, 30, 115}, RGB(254, 254, 255)));
    EXPECT_TRUE(canvas.AllOf({0, 115, 30, 116}, kMagenta));
}

TEST(FillGradientRect, HorizontalBandsWithAnOffset) {
    MemoryCanvas canvas(120, 20, kMagenta);
    FillGradientRect(canvas.dc(), 10, 5, 110, 15, RGB(0, 0, 0), RGB(0, 0, 200), false);
    EXPECT_EQ(canvas.At(10, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(11, 14), RGB(0, 0, 2));
    EXPECT_EQ(canvas.At(109, 10), RGB(0, 0, 198));
    EXPECT_TRUE(canvas.AllOf({0, 0, 120, 5}, kMagenta));
    EXPECT_TRUE(canvas.AllOf({0, 15, 120, 20}, kMagenta));
    EXPECT_TRUE(canvas.AllOf({0, 0, 10, 20}, kMagenta));
    EXPECT_TRUE(canvas.AllOf({110, 0, 120, 20}, kMagenta));
}

TEST(FillGradientRect, PaintsNothingForEqualColoursOrEmptyRectangles) {
    MemoryCanvas canvas(40, 40, kMagenta);
    FillGradientRect(canvas.dc(), 0, 0, 40, 40, kPaneBlue, kPaneBlue, true);
    FillGradientRect(canvas.dc(), 0, 30, 40, 10, kPaneBlue, kWhite, true);
    FillGradientRect(canvas.dc(), 30, 0, 10, 40, kPaneBlue, kWhite, false);
    FillGradientRect(canvas.dc(), 0, 0, 40, 0, kPaneBlue, kWhite, true);
    EXPECT_TRUE(canvas.AllOf(canvas.rect(), kMagenta));
}

}  // namespace

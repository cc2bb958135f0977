// Band arithmetic of the detail pane's gradient strip.
#include "views/gradient_bands.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t kPaneBlue = 0xFFEFE6;  // RGB(230, 239, 255)
constexpr uint32_t kWhite = 0xFFFFFF;

std::vector<GradientBand> Bands(const GradientRequest& request) {
    std::vector<GradientBand> bands;
    ForEachGradientBand(request, [&](const GradientBand& band) { bands.push_back(band); });
    return bands;
}

std::vector<GradientBand> Strip(int height) {
    return Bands({0, 0, 30, height, kPaneBlue, kWhite, true});
}

uint32_t Rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

TEST(GradientBands, StripOf120PixelsHas25BandsWithTruncatedEdges) {
    auto bands = Strip(120);
    ASSERT_EQ(bands.size(), 25u);
    const int expectedTops[] = {0,  4,  9,  14, 19, 24, 28, 33, 38,  43,  48,  52, 57,
                                62, 67, 72, 76, 81, 86, 91, 96, 100, 105, 110, 115};
    for (size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].top, expectedTops[i]) << i;
        EXPECT_EQ(bands[i].left, 0);
        EXPECT_EQ(bands[i].right, 30);
        if (i + 1 < bands.size()) {
            EXPECT_EQ(bands[i].bottom, bands[i + 1].top) << i;
        }
    }
    EXPECT_EQ(bands.back().bottom, 120);
}

TEST(GradientBands, StripColoursRunFromBackgroundAndStopShortOfWhite) {
    auto bands = Strip(120);
    EXPECT_EQ(bands.front().colour, kPaneBlue);
    EXPECT_EQ(bands.back().colour, Rgb(254, 254, 255));
    // Green climbs by 0.64 a band, truncated: band 2 is 239 + 1.28 -> 240.
    EXPECT_EQ(bands[2].colour, Rgb(232, 240, 255));
    for (const auto& band : bands)
        EXPECT_NE(band.colour, kWhite);
}

TEST(GradientBands, StripOf116PixelsLeavesTheBottomRow) {
    auto bands = Strip(116);
    ASSERT_EQ(bands.size(), 25u);
    EXPECT_EQ(bands.back().bottom, 115);  // 25 x 4.64f falls just short of 116
}

TEST(GradientBands, ShortStripHasOneBandPerRow) {
    auto bands = Bands({0, 10, 30, 20, kPaneBlue, kWhite, true});
    ASSERT_EQ(bands.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(bands[i].top, 10 + i);
        EXPECT_EQ(bands[i].bottom, 11 + i);
    }
    // Red steps 25 / 10 = 2.5 a band.
    EXPECT_EQ(bands[1].colour & 0xFF, 232u);
    EXPECT_EQ(bands[9].colour & 0xFF, 252u);
}

TEST(GradientBands, NothingForEqualColoursOrEmptyExtent) {
    EXPECT_TRUE(Bands({0, 0, 30, 120, kPaneBlue, kPaneBlue, true}).empty());
    // Only bits 24-31 differ: still equal colours.
    EXPECT_TRUE(Bands({0, 0, 30, 120, 0x01FFEFE6, kPaneBlue, true}).empty());
    EXPECT_TRUE(Bands({0, 50, 30, 50, kPaneBlue, kWhite, true}).empty());
    EXPECT_TRUE(Bands({0, 60, 30, 50, kPaneBlue, kWhite, true}).empty());
    EXPECT_TRUE(Bands({30, 0, 0, 120, kPaneBlue, kWhite, false}).empty());
}

TEST(GradientBands, HorizontalBandsRunLeftToRight) {
    auto bands = Bands({5, 7, 105, 20, 0x000000, 0x0000FF, false});  // black to red, 255 steps
    ASSERT_EQ(bands.size(), 100u);                                   // capped at one per pixel
    EXPECT_EQ(bands[0].left, 5);
    EXPECT_EQ(bands[0].right, 6);
    EXPECT_EQ(bands[0].top, 7);
    EXPECT_EQ(bands[0].bottom, 20);
    EXPECT_EQ(bands.back().right, 105);
    EXPECT_EQ(bands[1].colour, 2u);        // 255 / 100 = 2.55 a band
    EXPECT_EQ(bands.back().colour, 252u);  // 99 x 2.55
}

TEST(GradientBands, FallingChannelsCountDown) {
    auto bands = Bands({0, 0, 10, 300, kWhite, 0x000000, true});  // white to black
    ASSERT_EQ(bands.size(), 255u);
    EXPECT_EQ(bands[0].colour, kWhite);
    EXPECT_EQ(bands[254].colour, Rgb(1, 1, 1));
    EXPECT_EQ(bands.back().bottom, 300);
}

}  // namespace

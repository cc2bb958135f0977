// The splitter's tracks along one axis: ideal sizes where there is room, the last track takes the
// rest, a track whose ideal is below its minimum collapses; where each track starts and which bar a
// position hits.
#include "window/splitter_tracks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kGap = 7;
constexpr int kOffset = 2;

std::vector<int> Sizes(std::vector<SplitterTrack> tracks, int space) {
    LayoutTracks(tracks, space, kGap);
    std::vector<int> sizes;
    for (const SplitterTrack& track : tracks)
        sizes.push_back(track.current);
    return sizes;
}

TEST(SplitterTracks, IdealSizesAsFarAsThereIsRoomTheLastTakesTheRest) {
    EXPECT_EQ(Sizes({{180, 0}, {999, 0}}, 500), (std::vector<int>{180, 313}));
    EXPECT_EQ(Sizes({{600, 0}, {10, 0}}, 500), (std::vector<int>{500, 0}));
    EXPECT_EQ(Sizes({{100, 0}, {100, 0}, {0, 0}}, 300), (std::vector<int>{100, 100, 86}));
    EXPECT_EQ(Sizes({{180, 0}, {0, 0}}, -20), (std::vector<int>{0, 0}));
}

TEST(SplitterTracks, AnIdealBelowTheMinimumCollapsesTheTrack) {
    EXPECT_EQ(Sizes({{9, 10}, {120, 10}}, 200), (std::vector<int>{0, 193}));
    EXPECT_EQ(Sizes({{10, 10}, {120, 10}}, 200), (std::vector<int>{10, 183}));
}

TEST(SplitterTracks, TracksStartAfterTheirGapsAndEachBarIsTheGapAfterATrack) {
    std::vector<SplitterTrack> tracks = {{180, 0}, {0, 0}};
    LayoutTracks(tracks, 500, kGap);
    EXPECT_EQ(TrackStart(tracks, 0, kOffset, kGap), kOffset);
    EXPECT_EQ(TrackStart(tracks, 1, kOffset, kGap), kOffset + 180 + kGap);
    const int barStart = kOffset + 180;
    EXPECT_EQ(BarAt(tracks, barStart - 1, kOffset, kGap), -1);
    EXPECT_EQ(BarAt(tracks, barStart, kOffset, kGap), 0);
    EXPECT_EQ(BarAt(tracks, barStart + kGap - 1, kOffset, kGap), 0);
    EXPECT_EQ(BarAt(tracks, barStart + kGap, kOffset, kGap), -1);
    EXPECT_EQ(BarAt(tracks, kOffset + 500 - 1, kOffset, kGap), -1);  // the last track has no bar
}

}  // namespace

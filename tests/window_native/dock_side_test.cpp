// The edge a toolbar released at a point docks at: the nearest edge within the margin, ties to the
// first of top, bottom, left, right; everywhere else, and outside the frame, it floats.
#include "window/dock_side.h"

#include <gtest/gtest.h>

namespace {

constexpr DockArea kClient = {100, 50, 900, 650};
constexpr int kMargin = 32;

DockSide At(long x, long y) {
    return DockSideForPoint(kClient, x, y, kMargin);
}

TEST(DockSide, EachEdgeWithinTheMargin) {
    EXPECT_EQ(At(500, 50), DockSide::Top);
    EXPECT_EQ(At(500, 650 - kMargin + 1), DockSide::Bottom);
    EXPECT_EQ(At(100 + kMargin - 1, 300), DockSide::Left);
    EXPECT_EQ(At(899, 300), DockSide::Right);
    EXPECT_EQ(At(110, 55), DockSide::Top);  // nearer the top than the left
    EXPECT_EQ(At(105, 55), DockSide::Top);  // as near both: top first
}

TEST(DockSide, TheMiddleAndTheOutsideFloat) {
    EXPECT_EQ(At(500, 350), DockSide::Floating);
    EXPECT_EQ(At(100 + kMargin, 300), DockSide::Floating);  // exactly the margin away
    EXPECT_EQ(At(900, 300), DockSide::Floating);            // the right edge is outside
    EXPECT_EQ(At(500, 49), DockSide::Floating);
}

}  // namespace

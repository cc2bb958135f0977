// Where a toolbar released by the user goes: an edge of the frame, or floating. Portable, so the
// choice holds without a window.
#pragma once

enum class DockSide { Top, Bottom, Left, Right, Floating };

// A rectangle as RECT holds one: left and top inside, right and bottom just outside.
struct DockArea {
    long left, top, right, bottom;
};

// The edge of area nearest to the point (x, y) when the point lies inside area less than margin
// pixels from that edge; otherwise Floating. Of two edges equally near, the first of top, bottom,
// left, right wins.
DockSide DockSideForPoint(const DockArea& area, long x, long y, int margin);

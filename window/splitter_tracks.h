// The arithmetic of a static splitter along one axis: its rows (or columns) as tracks with an ideal
// and a minimum size, laid out one after another with a gap (the bar and its borders) between two.
// Portable, so the layout rules hold without a window.
#pragma once

#include <vector>

struct SplitterTrack {
    int ideal = 0;
    int minimum = 0;
    int current = 0;  // the size of the last layout
};

// Sets each track's current size within space pixels: each track but the last gets its ideal size
// as far as there is room (none when the ideal is below the minimum); the last takes what is left.
void LayoutTracks(std::vector<SplitterTrack>& tracks, int space, int gap);

// Where track index starts: at offset, after every earlier track and its gap.
int TrackStart(const std::vector<SplitterTrack>& tracks, int index, int offset, int gap);

// The bar at a position along the axis, or -1: bar i is the gap right after track i, and the last
// track has none.
int BarAt(const std::vector<SplitterTrack>& tracks, int position, int offset, int gap);

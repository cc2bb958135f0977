#include "window/splitter_tracks.h"

#include <algorithm>
#include <cstddef>

void LayoutTracks(std::vector<SplitterTrack>& tracks, int space, int gap) {
    int remaining = std::max(space, 0);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        SplitterTrack& track = tracks[i];
        if (i + 1 == tracks.size()) {
            track.current = std::max(remaining, 0);
            break;
        }
        int wanted = track.ideal < track.minimum ? 0 : std::max(track.ideal, 0);
        track.current = std::min(wanted, std::max(remaining, 0));
        remaining -= track.current + gap;
    }
}

int TrackStart(const std::vector<SplitterTrack>& tracks, int index, int offset, int gap) {
    int start = offset;
    for (int i = 0; i < index && i < static_cast<int>(tracks.size()); ++i)
        start += tracks[static_cast<std::size_t>(i)].current + gap;
    return start;
}

int BarAt(const std::vector<SplitterTrack>& tracks, int position, int offset, int gap) {
    for (int i = 0; i + 1 < static_cast<int>(tracks.size()); ++i) {
        int barStart =
            TrackStart(tracks, i, offset, gap) + tracks[static_cast<std::size_t>(i)].current;
        if (position >= barStart && position < barStart + gap)
            return i;
    }
    return -1;
}

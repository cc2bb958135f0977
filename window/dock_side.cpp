#include "window/dock_side.h"

DockSide DockSideForPoint(const DockArea& area, long x, long y, int margin) {
    if (x < area.left || x >= area.right || y < area.top || y >= area.bottom)
        return DockSide::Floating;
    struct Edge {
        DockSide side;
        long distance;
    } edges[] = {{DockSide::Top, y - area.top},
                 {DockSide::Bottom, area.bottom - y},
                 {DockSide::Left, x - area.left},
                 {DockSide::Right, area.right - x}};
    const Edge* nearest = &edges[0];
    for (const Edge& edge : edges) {
        if (edge.distance < nearest->distance)
            nearest = &edge;
    }
    return nearest->distance < margin ? nearest->side : DockSide::Floating;
}

// The steps follow the largest channel difference, capped at one per pixel. Band width and channel
// increments are single precision, the products double precision truncated toward zero: that is
// what puts the band edges at 0, 4, 9, 14, ... for a 120-pixel strip.
#include "views/gradient_bands.h"

namespace gradient_detail {
namespace {

int Channel(uint32_t colour, int index) {
    return static_cast<int>((colour >> (8 * index)) & 0xFF);
}

int Extent(const GradientRequest& r) {
    return r.vertical ? r.bottom - r.top : r.right - r.left;
}

int Truncate(double value) {
    return static_cast<int>(value);
}

}  // namespace

Plan MakePlan(const GradientRequest& request) {
    Plan plan{0, 0.0f, {0.0f, 0.0f, 0.0f}};
    int delta[3];
    int steps = 0;
    for (int c = 0; c < 3; ++c) {
        delta[c] = Channel(request.end, c) - Channel(request.start, c);
        if (std::abs(delta[c]) > steps)
            steps = std::abs(delta[c]);
    }
    const int extent = Extent(request);
    if (steps >= extent)
        steps = extent;
    if (steps <= 0)
        return plan;
    plan.steps = steps;
    plan.width = static_cast<float>(extent) / static_cast<float>(steps);
    for (int c = 0; c < 3; ++c)
        plan.increment[c] = static_cast<float>(delta[c]) / static_cast<float>(steps);
    return plan;
}

GradientBand BandAt(const GradientRequest& request, const Plan& plan, int index) {
    const int a = Truncate(static_cast<double>(index) * plan.width);
    const int b = Truncate(static_cast<double>(index + 1) * plan.width);
    GradientBand band{request.left, request.top, request.right, request.bottom, 0};
    if (request.vertical) {
        band.top = request.top + a;
        band.bottom = request.top + b;
    } else {
        band.left = request.left + a;
        band.right = request.left + b;
    }
    for (int c = 0; c < 3; ++c) {
        const int value =
            Truncate(Channel(request.start, c) + static_cast<double>(index) * plan.increment[c]);
        band.colour |= static_cast<uint32_t>(value & 0xFF) << (8 * c);
    }
    return band;
}

}  // namespace gradient_detail

// The bands of a stepped colour gradient: how many, where each lies and its colour. Portable, so
// the arithmetic can be checked without a device context; views/gradient.h paints the bands.
#pragma once

#include <cstdint>
#include <cstdlib>

struct GradientBand {
    int left, top, right, bottom;
    uint32_t colour;  // COLORREF layout: red in bits 0-7, green 8-15, blue 16-23
};

struct GradientRequest {
    int left, top, right, bottom;
    uint32_t start, end;  // colours; bits 24-31 are ignored
    bool vertical;        // true: bands stacked top to bottom; false: left to right
};

namespace gradient_detail {

struct Plan {
    int steps;           // number of bands; 0 draws nothing
    float width;         // band width in pixels
    float increment[3];  // per-band change of red, green, blue
};

Plan MakePlan(const GradientRequest& request);
GradientBand BandAt(const GradientRequest& request, const Plan& plan, int index);

}  // namespace gradient_detail

// Calls emit(const GradientBand&) for every band, first to last. One band per colour step, at most
// one per pixel; equal colours or an empty extent give none. The end colour itself is never
// reached.
template <class Emit>
void ForEachGradientBand(const GradientRequest& request, Emit&& emit) {
    const gradient_detail::Plan plan = gradient_detail::MakePlan(request);
    for (int i = 0; i < plan.steps; ++i)
        emit(gradient_detail::BandAt(request, plan, i));
}

#include "views/gradient.h"

#include "platform/win32/handles.h"
#include "views/gradient_bands.h"

void FillGradientRect(HDC dc, int left, int top, int right, int bottom, COLORREF start,
                      COLORREF end, bool vertical) {
    const GradientRequest request{left, top, right, bottom, start, end, vertical};
    ForEachGradientBand(request, [dc](const GradientBand& band) {
        RECT rect;
        SetRect(&rect, band.left, band.top, band.right, band.bottom);
        UniqueBrush brush(CreateSolidBrush(band.colour));
        if (brush)
            FillRect(dc, &rect, brush.Get());
    });
}

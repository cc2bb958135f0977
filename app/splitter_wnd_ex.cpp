#include "app/splitter_wnd_ex.h"

#include "platform/win32/handles.h"

namespace {
// An outline `width` pixels wide of one colour, drawn inward from rect (which ends inside it): the
// same colour on every edge keeps the border flat.
void Outline(HDC hdc, RECT& rect, int width, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    for (int i = 0; i < width; ++i) {
        FrameRect(hdc, &rect, brush.Get());
        InflateRect(&rect, -1, -1);
    }
}
}  // namespace

void CSplitterWndEx::OnDrawSplitter(HDC hdc, SplitType type, const RECT& rect) {
    if (!hdc || type != SplitType::Border) {
        StaticSplitter::OnDrawSplitter(hdc, type, rect);
        return;
    }
    RECT border = rect;
    Outline(hdc, border, OuterLine(), kOuterBorder);
    Outline(hdc, border, Border() - OuterLine(), kInnerBorder);
}

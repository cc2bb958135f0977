#include "app/splitter_wnd_ex.h"

#include "platform/win32/handles.h"

namespace {
// A one-pixel outline of one colour: the same colour on every edge keeps the border flat.
void Outline(HDC hdc, const RECT& rect, COLORREF colour) {
    UniqueBrush brush(CreateSolidBrush(colour));
    FrameRect(hdc, &rect, brush.Get());
}
}  // namespace

void CSplitterWndEx::OnDrawSplitter(HDC hdc, SplitType type, const RECT& rect) {
    if (!hdc || type != SplitType::Border) {
        StaticSplitter::OnDrawSplitter(hdc, type, rect);
        return;
    }
    RECT border = rect;
    Outline(hdc, border, kOuterBorder);
    InflateRect(&border, -1, -1);
    Outline(hdc, border, kInnerBorder);
}

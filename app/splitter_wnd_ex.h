// The splitter of both splits of the main window: its pane borders are flat, a blue-grey line with
// a white line inside it.
#pragma once

#include "window/splitter.h"

class CSplitterWndEx : public StaticSplitter {
public:
    static constexpr COLORREF kOuterBorder = RGB(127, 152, 192);
    static constexpr COLORREF kInnerBorder = RGB(255, 255, 255);

protected:
    void OnDrawSplitter(HDC hdc, SplitType type, const RECT& rect) override;
};

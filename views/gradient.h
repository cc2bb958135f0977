// Paints a stepped colour gradient into a device context (the detail pane's left strip).
#pragma once

#include <windows.h>

// Fills (left, top, right, bottom) with bands running from start toward end: top to bottom when
// vertical, otherwise left to right. Equal colours or an empty rectangle paint nothing.
void FillGradientRect(HDC dc, int left, int top, int right, int bottom, COLORREF start,
                      COLORREF end, bool vertical);

// The display scale a window is shown at, and what the window layer makes for it: fonts and icons
// at that scale. The program is per-monitor aware (its manifest says so), so the system stretches
// nothing: every size given for 96 DPI is scaled by the window's DPI / 96 (dpi_scale.h).
#pragma once

#include <windows.h>

#include "platform/win32/handles.h"
#include "window/dpi_scale.h"

// WM_DPICHANGED: a top-level window moved to a monitor of another scale (Windows 8.1 on). wParam
// holds the new DPI in both words, lParam the suggested window rectangle.
constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI of the monitor the window is on: GetDpiForWindow where user32 has it (Windows 10, version
// 1607 on; looked up at run time, the program runs on Windows 7), otherwise the screen's
// LOGPIXELSX, the system DPI, which is every window's there.
int WindowDpi(HWND hwnd);

// The DPI the system made its fonts and metrics for when the session started; they do not follow a
// window to a monitor of another scale.
int SystemDpi();

// A font like base (face, weight, angle) with its size carried from one DPI to another.
UniqueFont RescaledFont(HFONT base, int fromDpi, int toDpi);

// The icon resource id at size x size pixels, made from the image of that size in the resource
// (the nearest, stretched, when it has none); null when the resource is missing.
UniqueIcon LoadIconAtSize(int id, int size);

// The font a control shows at its window's DPI. The control's own font is the system's, made for
// the system DPI: at that DPI the control keeps it untouched; at any other it shows a copy scaled
// to it, owned here for as long as it is shown.
class ControlFont {
public:
    ControlFont() = default;
    ControlFont(const ControlFont&) = delete;
    ControlFont& operator=(const ControlFont&) = delete;

    void Apply(HWND control, int dpi);

private:
    HFONT own_ = nullptr;  // the control's font before the first change; not ours to delete
    bool ownKnown_ = false;
    UniqueFont scaled_;
};

#include "window/dpi.h"

#include <utility>

#include "window/resource_strings.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();

// A function of user32, which every program with a window has loaded, or null where this Windows
// lacks it.
FARPROC User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? GetProcAddress(user32, name) : nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kStandardDpi;
}

}  // namespace

int WindowDpi(HWND hwnd) {
    auto forWindow = reinterpret_cast<GetDpiForWindowFunction>(User32Function("GetDpiForWindow"));
    const UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemDpi() {
    auto forSystem = reinterpret_cast<GetDpiForSystemFunction>(User32Function("GetDpiForSystem"));
    const UINT dpi = forSystem ? forSystem() : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

UniqueFont RescaledFont(HFONT base, int fromDpi, int toDpi) {
    LOGFONTW font = {};
    if (!base || !GetObjectW(base, sizeof font, &font))
        return UniqueFont();
    font.lfHeight = RescaleDpi(font.lfHeight, fromDpi, toDpi);
    font.lfWidth = RescaleDpi(font.lfWidth, fromDpi, toDpi);
    return UniqueFont(CreateFontIndirectW(&font));
}

UniqueIcon LoadIconAtSize(int id, int size) {
    return UniqueIcon(static_cast<HICON>(LoadImageW(ResourceInstance(), MAKEINTRESOURCEW(id),
                                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

void ControlFont::Apply(HWND control, int dpi) {
    if (!control)
        return;
    if (!ownKnown_) {
        own_ = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ownKnown_ = true;
    }
    const int systemDpi = SystemDpi();
    if (dpi == systemDpi) {
        if (scaled_) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(own_), TRUE);
            scaled_.Reset();
        }
        return;
    }
    // A control that reports no font draws with the system's default GUI font.
    HFONT base = own_ ? own_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    UniqueFont font = RescaledFont(base, systemDpi, dpi);
    if (!font)
        return;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    scaled_ = std::move(font);  // the font shown before is no longer selected anywhere
}

// Guards of a paint: PaintDc and SelectedObject undo a BeginPaint and a SelectObject on every path
// out of the code that painted.
#pragma once

#include <windows.h>

// BeginPaint for the life of the object, EndPaint when it goes.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    // Null when the window could not be painted.
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// An object selected into a device context for the life of the guard; the one it replaced comes
// back when it goes. Declare it after the owner of the object, so it is undone before the object is
// deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

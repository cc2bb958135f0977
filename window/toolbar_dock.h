// Keeps the frame's toolbar docked at one edge of the frame (top, bottom, left, right) or floating
// in a small tool window of its own. The user drags the docked toolbar by its empty area: released
// near an edge of the frame it docks there, elsewhere it floats; the floating window docks again
// when its caption is double-clicked or when it is moved to an edge of the frame.
#pragma once

#include <windows.h>

#include "window/dock_side.h"
#include "window/window.h"

class ToolbarDock {
public:
    using Side = DockSide;

    ToolbarDock();
    ~ToolbarDock();
    ToolbarDock(const ToolbarDock&) = delete;
    ToolbarDock& operator=(const ToolbarDock&) = delete;

    // Takes the toolbar control, a child of frame, docked at the top.
    void Attach(HWND frame, HWND toolBar);
    HWND ToolBar() const { return toolBar_.Handle(); }
    HWND FloatingWindow() const { return floater_.Handle(); }
    Side CurrentSide() const { return side_; }

    void DockAt(Side side);
    // Floats the toolbar with its window's top-left corner at a screen point.
    void FloatAt(POINT screenPoint);

    // Places a docked toolbar inside area (frame client coordinates) and takes its room from it.
    void Layout(RECT& area);

    // Where a toolbar released at a screen point goes: an edge of the frame, or Floating.
    Side SideForPoint(POINT screenPoint) const;

    // The toolbar's windows go to a new scale; a floating one takes the toolbar's new size.
    void ChangeDpi(int dpi);

    // Pixels at 96 DPI from an edge of the frame's client area within which a release docks.
    static constexpr int kDockMargin = 32;

private:
    class Bar : public Window {
    public:
        explicit Bar(ToolbarDock& dock) : dock_(dock) {}

    protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        ToolbarDock& dock_;
        bool dragging_ = false;
        POINT start_ = {};
    };
    class Floater : public Window {
    public:
        explicit Floater(ToolbarDock& dock) : dock_(dock) {}

    protected:
        LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        ToolbarDock& dock_;
    };

    void SetVertical(bool vertical);
    SIZE BarSize() const;
    // The floating window's size around the toolbar.
    void FitFloater();
    void Release(POINT screenPoint);
    void Relayout();
    void OnFloaterMoved();

    HWND frame_ = nullptr;
    Bar toolBar_;
    Floater floater_;
    Side side_ = Side::Top;
    Side lastDocked_ = Side::Top;
};

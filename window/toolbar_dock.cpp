#include "window/toolbar_dock.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

#include "window/dpi.h"

namespace {
constexpr char kFloaterClass[] = "OrvaneFloatingBar";
// Pixels at 96 DPI.
constexpr int kPadding = 2;    // around the buttons of a docked toolbar
constexpr int kDragStart = 4;  // the pointer must move this far before a release counts
}  // namespace

ToolbarDock::ToolbarDock() : toolBar_(*this), floater_(*this) {}
ToolbarDock::~ToolbarDock() = default;

void ToolbarDock::Attach(HWND frame, HWND toolBar) {
    frame_ = frame;
    toolBar_.Attach(toolBar);
    // Commands and notifications go to the frame wherever the toolbar sits.
    SendMessageW(toolBar, TB_SETPARENT, reinterpret_cast<WPARAM>(frame), 0);
    side_ = lastDocked_ = Side::Top;
}

SIZE ToolbarDock::BarSize() const {
    SIZE size = {};
    SendMessageW(ToolBar(), TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    DWORD button = static_cast<DWORD>(SendMessageW(ToolBar(), TB_GETBUTTONSIZE, 0, 0));
    if (size.cx < LOWORD(button))
        size.cx = LOWORD(button);
    if (size.cy < HIWORD(button))
        size.cy = HIWORD(button);
    return size;
}

void ToolbarDock::SetVertical(bool vertical) {
    HWND bar = ToolBar();
    // A vertical toolbar draws its separators as horizontal lines one separator high; without
    // this style they stay upright and each one leaves a gap the size of a row.
    LONG_PTR style = GetWindowLongPtrW(bar, GWL_STYLE);
    SetWindowLongPtrW(bar, GWL_STYLE, vertical ? (style | CCS_VERT) : (style & ~CCS_VERT));
    int count = static_cast<int>(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        SendMessageW(bar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        LRESULT state = SendMessageW(bar, TB_GETSTATE, button.idCommand, 0);
        if (state == -1)
            continue;
        // One button per row: each one wraps. (The wrapable style would wrap by the toolbar's
        // width instead, which is not known yet when the side changes.)
        BYTE wanted = vertical ? static_cast<BYTE>(state | TBSTATE_WRAP)
                               : static_cast<BYTE>(state & ~TBSTATE_WRAP);
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STATE | TBIF_BYINDEX;
        info.fsState = wanted;
        SendMessageW(bar, TB_SETBUTTONINFOW, i, reinterpret_cast<LPARAM>(&info));
    }
}

void ToolbarDock::Layout(RECT& area) {
    if (!ToolBar() || side_ == Side::Floating)
        return;
    SIZE size = BarSize();
    const int padding = toolBar_.Scale(kPadding);
    int width = size.cx + 2 * padding;
    int height = size.cy + 2 * padding;
    RECT bar = area;
    switch (side_) {
        case Side::Top:
            bar.bottom = area.top + height;
            area.top = bar.bottom;
            break;
        case Side::Bottom:
            bar.top = area.bottom - height;
            area.bottom = bar.top;
            break;
        case Side::Left:
            bar.right = area.left + width;
            area.left = bar.right;
            break;
        default:
            bar.left = area.right - width;
            area.right = bar.left;
            break;
    }
    SetWindowPos(ToolBar(), nullptr, bar.left, bar.top, bar.right - bar.left, bar.bottom - bar.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ToolbarDock::Side ToolbarDock::SideForPoint(POINT screenPoint) const {
    RECT client = {};
    GetClientRect(frame_, &client);
    MapWindowPoints(frame_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return DockSideForPoint(DockArea{client.left, client.top, client.right, client.bottom},
                            screenPoint.x, screenPoint.y, toolBar_.Scale(kDockMargin));
}

void ToolbarDock::Relayout() {
    RECT client = {};
    GetClientRect(frame_, &client);
    SendMessageW(frame_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(frame_, nullptr, TRUE);
}

void ToolbarDock::DockAt(Side side) {
    if (!ToolBar() || side == Side::Floating)
        return;
    if (side_ == Side::Floating) {
        SetParent(ToolBar(), frame_);
        ShowWindow(floater_.Handle(), SW_HIDE);
    }
    SetVertical(side == Side::Left || side == Side::Right);
    side_ = lastDocked_ = side;
    Relayout();
}

void ToolbarDock::FloatAt(POINT screenPoint) {
    if (!ToolBar())
        return;
    if (!floater_.Handle()) {
        if (!Window::RegisterWindowClass(kFloaterClass, CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
            return;
        if (!floater_.Create(WS_EX_TOOLWINDOW, kFloaterClass, "",
                             WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 0, 0, 10, 10, frame_,
                             nullptr))
            return;
    }
    SetVertical(false);
    SetParent(ToolBar(), floater_.Handle());
    SetWindowPos(floater_.Handle(), nullptr, screenPoint.x, screenPoint.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitFloater();
    ShowWindow(floater_.Handle(), SW_SHOWNA);
    side_ = Side::Floating;
    Relayout();
}

void ToolbarDock::FitFloater() {
    SIZE size = BarSize();
    SetWindowPos(ToolBar(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT outer = {0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_CAPTION, FALSE, WS_EX_TOOLWINDOW);
    SetWindowPos(floater_.Handle(), nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolbarDock::ChangeDpi(int dpi) {
    toolBar_.ChangeDpi(dpi);
    floater_.ChangeDpi(dpi);
    if (ToolBar() && side_ == Side::Floating)
        FitFloater();
}

void ToolbarDock::Release(POINT screenPoint) {
    Side side = SideForPoint(screenPoint);
    if (side == Side::Floating)
        FloatAt(screenPoint);
    else if (side != side_)
        DockAt(side);
}

void ToolbarDock::OnFloaterMoved() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    Side side = SideForPoint(cursor);
    if (side != Side::Floating)
        DockAt(side);
}

LRESULT ToolbarDock::Bar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            // A press on a button is the button's; elsewhere it picks the toolbar up.
            if (SendMessageW(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)) >= 0)
                break;
            dragging_ = true;
            start_ = point;
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP:
            if (!dragging_)
                break;
            dragging_ = false;
            ReleaseCapture();
            if (std::abs(point.x - start_.x) + std::abs(point.y - start_.y) < Scale(kDragStart))
                return 0;
            ClientToScreen(Handle(), &point);
            dock_.Release(point);
            return 0;
        case WM_MOUSEMOVE:
            if (!dragging_)
                break;
            SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT ToolbarDock::Floater::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCLBUTTONDBLCLK:
            if (wParam != HTCAPTION)
                break;
            dock_.DockAt(dock_.lastDocked_);
            return 0;
        case WM_EXITSIZEMOVE:
            dock_.OnFloaterMoved();
            return 0;
        case kWmDpiChanged: {
            // Moved alone to a monitor of another scale: it takes the place the system suggests.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageW(dock_.frame_, message, wParam, lParam);
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

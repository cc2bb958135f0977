#include "window/window.h"

#include "platform/win32/wide_text.h"
#include "window/dpi.h"

Window::~Window() {
    if (!hwnd_)
        return;
    // The derived parts are gone: the window must not reach them while it is destroyed.
    HWND hwnd = hwnd_;
    Unbind();
    DestroyWindow(hwnd);
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return window && window->hwnd_ == hwnd ? window : nullptr;
}

bool Window::RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor,
                                 HBRUSH background, HICON icon) {
    const std::wstring name = WideText(className);
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name.c_str(), &existing))
        return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

bool Window::Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
    HWND hwnd = CreateWindowExW(exStyle, WideText(className).c_str(),
                                WideText(title ? title : "").c_str(), style, x, y, width, height,
                                parent, menuOrId, GetModuleHandleW(nullptr), this);
    return hwnd != nullptr && hwnd == hwnd_;
}

// Plain window-procedure subclassing: comctl32's subclass helpers look their data up in a window
// property on every message, which costs a round trip to the Wine server each time.
bool Window::Attach(HWND hwnd) {
    if (!hwnd || hwnd_ || GetWindowLongPtrW(hwnd, GWLP_USERDATA))
        return false;
    hwnd_ = hwnd;
    dpi_ = WindowDpi(hwnd);
    subclassed_ = true;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    return original_ != nullptr;
}

void Window::Destroy() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Window::Unbind() {
    if (!hwnd_)
        return;
    // The original procedure comes back unless someone subclassed the window after us.
    if (subclassed_ &&
        GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc)) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    subclassed_ = false;
}

void Window::ChangeDpi(int dpi) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    const int oldDpi = dpi_;
    dpi_ = dpi;
    OnDpiChanged(oldDpi);
}

bool Window::OnReflectedNotify(NMHDR*, LRESULT&) {
    return false;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (subclassed_)
        return CallWindowProcW(original_, hwnd_, message, wParam, lParam);
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Window::ReflectNotify(LPARAM lParam, LRESULT& result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return false;
    Window* sender = FromHandle(header->hwndFrom);
    return sender && sender->OnReflectedNotify(header, result);
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // A notification goes to the object of the control that sent it before its parent sees it:
    // a pane handles its own control's notifications wherever it sits (frame, splitter, pane
    // frame).
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (ReflectNotify(lParam, result))
            return result;
    }
    if (message != WM_NCDESTROY)
        return HandleMessage(message, wParam, lParam);
    LRESULT result = HandleMessage(message, wParam, lParam);
    Unbind();
    OnWindowGone();
    return result;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* window = static_cast<Window*>(create->lpCreateParams);
        if (window && !window->hwnd_) {
            window->hwnd_ = hwnd;
            window->dpi_ = WindowDpi(hwnd);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        }
    }
    Window* window = FromHandle(hwnd);
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = FromHandle(hwnd);
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->Dispatch(message, wParam, lParam);
}

void CenterWindow(HWND window, HWND over) {
    RECT area = {};
    if (over && IsWindowVisible(over)) {
        GetWindowRect(over, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rect = {};
    GetWindowRect(window, &rect);
    int x = area.left + ((area.right - area.left) - (rect.right - rect.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (rect.bottom - rect.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

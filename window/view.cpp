#include "window/view.h"

namespace {
constexpr char kContainerClass[] = "OrvanePaneFrame";
}

bool ControlPane::PreCreateWindow(CREATESTRUCTW&) {
    return true;
}

bool ControlPane::CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext&) {
    CREATESTRUCTW cs = {};
    cs.lpszClass = controlClass_;
    cs.style = WS_CHILD | WS_VISIBLE;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.hInstance = GetModuleHandleW(nullptr);
    if (!PreCreateWindow(cs))
        return false;
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    if (!hwnd)
        return false;
    if (!Attach(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    return true;
}

INT_PTR CALLBACK FormPane::DialogProc(HWND, UINT, WPARAM, LPARAM) {
    // Everything of the pane happens in its subclass; the dialog keeps its defaults and leaves
    // the focus where it is.
    return FALSE;
}

bool FormPane::CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext&) {
    HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                   DialogProc, 0);
    if (!hwnd)
        return false;
    if (!Attach(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    SetWindowLongPtrW(hwnd, GWLP_ID, static_cast<LONG_PTR>(id));
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, SW_SHOWNA);
    return true;
}

bool ContainerPane::CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext& context) {
    if (!RegisterWindowClass(kContainerClass, 0, LoadCursor(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    context_ = &context;
    bool created = Create(0, kContainerClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                          rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                          parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
    context_ = nullptr;
    return created;
}

LRESULT ContainerPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE)
        return context_ && OnCreateClient(*context_) ? 0 : -1;
    return DefaultProc(message, wParam, lParam);
}

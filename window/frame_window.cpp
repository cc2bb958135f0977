#include "window/frame_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>
#include <vector>

#include "platform/win32/wide_text.h"
#include "window/application.h"
#include "window/framework_ids.h"
#include "window/resource_strings.h"
#include "window/toolbar_resource.h"

namespace {
constexpr UINT kClientId = AFX_IDW_PANE_FIRST;  // the client window's child id
}  // namespace

FrameWindow::FrameWindow() = default;
FrameWindow::~FrameWindow() = default;

bool FrameWindow::CreateToolBar(UINT resourceId, DWORD controlStyle, UINT id) {
    HINSTANCE instance = ResourceInstance();
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(resourceId),
                                MAKEINTRESOURCEW(kToolBarResourceType));
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    ToolBarLayout layout;
    if (!data || !ReadToolBarResource(data, SizeofResource(instance, found), layout))
        return false;

    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                  CCS_NORESIZE | CCS_NODIVIDER | controlStyle;
    HWND toolBar =
        CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", style, 0, 0, 0, 0, Handle(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!toolBar)
        return false;
    SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The resource gives the images' size at 96 DPI.
    toolBarImageSize_ = SIZE{static_cast<LONG>(layout.width), static_cast<LONG>(layout.height)};
    SendMessageW(toolBar, TB_SETBITMAPSIZE, 0,
                 MAKELONG(Scale(toolBarImageSize_.cx), Scale(toolBarImageSize_.cy)));
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT command : layout.ids) {
        TBBUTTON button = {};
        button.idCommand = static_cast<int>(command);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = command == 0 ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = command == 0 ? 0 : image++;
        buttons.push_back(button);
    }
    // The resource's own button strip; the frame may give the toolbar an image list instead.
    if (FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_BITMAP)) {
        TBADDBITMAP strip = {instance, resourceId};
        SendMessageW(toolBar, TB_ADDBITMAP, image, reinterpret_cast<LPARAM>(&strip));
    }
    SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    dock_.Attach(Handle(), toolBar);
    return true;
}

bool FrameWindow::CreateStatusBar(UINT id) {
    statusBar_ = CreateWindowExW(
        0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Handle(),
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ResourceInstance(), nullptr);
    if (!statusBar_)
        return false;
    int parts[1] = {-1};
    if (!SendMessageW(statusBar_, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(parts)))
        return false;
    SetMessageText(idleText_.c_str());
    return true;
}

void FrameWindow::LoadAcceleratorTable(UINT resourceId) {
    accelerators_ = LoadAcceleratorsW(ResourceInstance(), MAKEINTRESOURCEW(resourceId));
}

namespace {
const CommandTable* ApplicationCommands() {
    Application* app = Application::Current();
    return app ? app->Commands() : nullptr;
}
}  // namespace

bool FrameWindow::RouteCommand(UINT id) {
    return RouteCommandThrough(
        {activeView_ ? activeView_->Commands() : nullptr, &commands_, ApplicationCommands()}, id,
        IsBusy());
}

bool FrameWindow::IsCommandEnabled(UINT id) const {
    return IsCommandEnabledIn(
        {activeView_ ? activeView_->Commands() : nullptr, &commands_, ApplicationCommands()}, id,
        IsBusy());
}

void FrameWindow::EndBusy() {
    if (--busy_ > 0 || !closeDeferred_)
        return;
    closeDeferred_ = false;
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

FrameBusyScope::FrameBusyScope() {
    Application* app = Application::Current();
    frame_ = app ? dynamic_cast<FrameWindow*>(app->MainWindow()) : nullptr;
    if (frame_)
        frame_->BeginBusy();
}

FrameBusyScope::~FrameBusyScope() {
    if (frame_)
        frame_->EndBusy();
}

void FrameWindow::UpdateToolBarButtons() {
    HWND toolBar = ToolBar();
    if (!toolBar)
        return;
    int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)))
            continue;
        if (button.fsStyle & BTNS_SEP)
            continue;
        bool enabled = IsCommandEnabled(static_cast<UINT>(button.idCommand));
        bool shown = SendMessageW(toolBar, TB_ISBUTTONENABLED, button.idCommand, 0) != 0;
        if (enabled != shown)
            SendMessageW(toolBar, TB_ENABLEBUTTON, button.idCommand, MAKELONG(enabled, 0));
    }
}

bool FrameWindow::PreTranslateMessage(MSG& msg) {
    HWND frame = Handle();
    if (!frame || !accelerators_)
        return false;
    // Keys go to the table only while the frame or one of its windows has them.
    if (msg.hwnd != frame && !IsChild(frame, msg.hwnd))
        return false;
    return TranslateAcceleratorW(frame, accelerators_, &msg) != 0;
}

void FrameWindow::OnIdle() {
    if (Handle())
        UpdateToolBarButtons();
}

void FrameWindow::SetMessageText(const char* text) {
    if (!statusBar_)
        return;
    const std::wstring wide = WideText(text ? text : "");
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    UpdateWindow(statusBar_);
}

std::string FrameWindow::MessageText() const {
    if (!statusBar_)
        return std::string();
    LRESULT info = SendMessageW(statusBar_, SB_GETTEXTLENGTHW, 0, 0);
    std::wstring text(LOWORD(info) + 1u, L'\0');
    SendMessageW(statusBar_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return NarrowText(text);
}

void FrameWindow::RecalcLayout() {
    RECT area = {};
    GetClientRect(Handle(), &area);
    if (statusBar_) {
        SendMessageW(statusBar_, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
        RECT bar = {};
        GetWindowRect(statusBar_, &bar);
        area.bottom -= bar.bottom - bar.top;
    }
    dock_.Layout(area);
    HWND client = GetDlgItem(Handle(), kClientId);
    if (client) {
        SetWindowPos(client, nullptr, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void FrameWindow::OnSize(UINT, int, int) {
    RecalcLayout();
}

namespace {
BOOL CALLBACK ChangeChildDpi(HWND child, LPARAM dpi) {
    if (Window* window = Window::FromHandle(child))
        window->ChangeDpi(static_cast<int>(dpi));
    return TRUE;
}
}  // namespace

void FrameWindow::OnDpiChangedMessage(int dpi, const RECT* suggested) {
    // Each window makes its fonts and images again before anything is laid out: the layout reads
    // the sizes of the toolbar and of the panes' contents.
    ChangeDpi(dpi);
    EnumChildWindows(Handle(), ChangeChildDpi, dpi);
    dock_.ChangeDpi(dpi);
    if (suggested) {
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Also when the rectangle kept its size, which sends no WM_SIZE.
    RECT client = {};
    GetClientRect(Handle(), &client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void FrameWindow::OnDpiChanged(int oldDpi) {
    statusFont_.Apply(statusBar_, Dpi());
    HWND toolBar = ToolBar();
    if (!toolBar)
        return;
    const DWORD padding = static_cast<DWORD>(SendMessageW(toolBar, TB_GETPADDING, 0, 0));
    SendMessageW(toolBar, TB_SETPADDING, 0,
                 MAKELPARAM(RescaleDpi(LOWORD(padding), oldDpi, Dpi()),
                            RescaleDpi(HIWORD(padding), oldDpi, Dpi())));
    SendMessageW(toolBar, TB_SETBITMAPSIZE, 0,
                 MAKELONG(Scale(toolBarImageSize_.cx), Scale(toolBarImageSize_.cy)));
}

void FrameWindow::ShowPrompt(UINT id) {
    SetMessageText(CommandPrompt(id).c_str());
}

void FrameWindow::ShowIdleText() {
    SetMessageText(idleText_.c_str());
}

void FrameWindow::OnMenuSelect(UINT id, UINT flags, HMENU menu) {
    if (flags == 0xFFFF && !menu) {
        ShowIdleText();  // the menu closed
    } else if (flags & (MF_POPUP | MF_SEPARATOR)) {
        ShowIdleText();
    } else {
        ShowPrompt(id);
    }
}

void FrameWindow::OnInitMenuPopup(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;  // separator or sub-menu
        EnableMenuItem(menu, static_cast<UINT>(i),
                       MF_BYPOSITION | (IsCommandEnabled(id) ? MF_ENABLED : MF_GRAYED));
    }
}

bool FrameWindow::FillTooltip(NMHDR* header) {
    // The frame is a Unicode window, so its tooltips ask in UTF-16.
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (info->uFlags & TTF_IDISHWND)
        return false;
    ToWide(CommandTooltip(static_cast<UINT>(header->idFrom)).c_str(), tooltipWide_);
    info->lpszText = &tooltipWide_[0];
    return true;
}

bool FrameWindow::OnNotify(NMHDR* header, LRESULT& result) {
    result = 0;
    switch (header->code) {
        case TTN_GETDISPINFOW:
            return FillTooltip(header);
        case TBN_HOTITEMCHANGE: {
            if (header->hwndFrom != ToolBar())
                return false;
            auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
            if ((hot->dwFlags & HICF_LEAVING) || hot->idNew == 0)
                ShowIdleText();
            else
                ShowPrompt(static_cast<UINT>(hot->idNew));
            return true;
        }
        default:
            return false;
    }
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // The client (splitters and panes) exists before the bars.
            if (!createContext_ || !OnCreateClient(*createContext_))
                return -1;
            return OnCreate();
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) <= 1)
                RouteCommand(LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
                return result;
            break;
        }
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_INITMENUPOPUP:
            // The window menu's items are the system's to enable, not the command table's.
            if (HIWORD(lParam))
                break;
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
            return 0;
        case kWmDpiChanged:
            OnDpiChangedMessage(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETFOCUS:
            if (activeView_ && activeView_->Handle())
                SetFocus(activeView_->Handle());
            return 0;
        case WM_CLOSE:
            // The busy command is still using the panes: they go once it has ended.
            if (IsBusy()) {
                closeDeferred_ = true;
                return 0;
            }
            break;
        case WM_SETCURSOR:
            // Every window of the frame asks its parents first, so this covers the whole frame.
            if (Application* app = Application::Current(); app && app->IsWaiting()) {
                SetCursor(LoadCursor(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_DESTROY:
            if (Application* app = Application::Current())
                app->OnMainWindowDestroyed(this);
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

void FrameWindow::OnWindowGone() {
    statusBar_ = nullptr;
    activeView_ = nullptr;
}

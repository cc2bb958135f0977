#include "app/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <iterator>
#include <new>
#include <string>
#include <utility>

#include "app/clipboard.h"
#include "app/data_view.h"
#include "app/inventory_io.h"
#include "app/load_report.h"
#include "dialogs/service_group_dlg.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "views/class_view.h"
#include "views/detail_view.h"
#include "views/win_svr_view.h"
#include "window/application.h"
#include "window/image_list.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {
constexpr char kFrameClass[] = "OrvaneMainFrame";
constexpr int kToolBarIcons[] = {IDI_REFRESH,          IDI_SERVICE_START, IDI_SERVICE_STOP,
                                 IDI_SERVICE_PROPERTY, IDI_SERVICE_GROUP, IDI_ABOUT,
                                 IDI_HOME_PAGE};
constexpr int kToolBarImageSize = 24;
}  // namespace

CMainFrame::CMainFrame(InventorySwitch& inventory, GroupRegistryApi& groupRegistry)
    : inventory_(inventory), groupRegistry_(groupRegistry) {
    SetIdleText(LoadResString(IDS_IDLE_MESSAGE));
    commands_.Add(ID_VISIT_WEBSITE, [this] { OnVisitWebsite(); });
    // One service command at a time: while start or stop follows a service the frame is busy.
    // Refresh would reload the catalogue under it, and a dialog's own message loop would hold the
    // following up: none of these while the frame is busy.
    commands_.AddNotWhileBusy(
        ID_SERVICE_START, [this] { OnServiceStart(); },
        [this] { return OnUpdateServiceControl(); });
    commands_.AddNotWhileBusy(
        ID_SERVICE_STOP, [this] { OnServiceStop(); }, [this] { return OnUpdateServiceControl(); });
    commands_.AddNotWhileBusy(ID_REFRESH, [this] { OnRefresh(); });
    commands_.AddNotWhileBusy(ID_SERVICE_GROUP, [this] { OnServiceGroup(); });
    commands_.AddNotWhileBusy(ID_SERVICE_PROPERTY, [this] { OnServiceProperty(); });
    commands_.AddNotWhileBusy(ID_FILE_SAVE, [this] { OnFileSave(); });
    commands_.Add(ID_EDIT_COPY, [this] { OnEditCopy(); });
    // Ctrl+Z, Alt+Backspace: the last start-type change set back, after a question.
    commands_.AddNotWhileBusy(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    commands_.Add(ID_NEXT_PANE, [this] { OnNextPane(); });
    commands_.Add(ID_PREV_PANE, [this] { OnPrevPane(); });
}

CMainFrame::~CMainFrame() {
    // The toolbar goes before the image list it shows.
    Destroy();
}

CMainFrame* CMainFrame::Get() {
    Application* app = Application::Current();
    return app ? dynamic_cast<CMainFrame*>(app->MainWindow()) : nullptr;
}

bool CMainFrame::LoadFrame(CreateContext& context) {
    HINSTANCE instance = ResourceInstance();
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!RegisterWindowClass(kFrameClass, CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon))
        return false;
    UniqueMenu menu(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)));
    createContext_ = &context;
    // The caption is the application's title alone: no document name is ever added to it.
    bool created =
        Create(0, kFrameClass,
               CommandPrompt(IDR_MAINFRAME).c_str() /* the document string's title field */,
               WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
               CW_USEDEFAULT, nullptr, menu.Get());
    createContext_ = nullptr;
    // A window that failed after taking the menu has destroyed it with itself.
    if (created || !IsMenu(menu.Get()))
        menu.Release();  // the window's now (or gone)
    if (!created)
        return false;
    LoadAcceleratorTable(IDR_MAINFRAME);
    return true;
}

bool CMainFrame::OnCreateClient(CreateContext& context) {
    if (!splitter_.CreateStatic(Handle(), 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return false;
    RECT client = {};
    GetClientRect(Handle(), &client);
    int width = client.right;
    int height = client.bottom;
    std::unique_ptr<View> tree(new (std::nothrow) CClassView());
    std::unique_ptr<View> data(new (std::nothrow) CDataView(inventory_, inventory_));
    const int treeWidth = Scale(kTreeWidth);
    if (!splitter_.CreateView(0, 0, std::move(tree), SIZE{treeWidth, height}, context) ||
        !splitter_.CreateView(0, 1, std::move(data), SIZE{width - treeWidth, height}, context)) {
        splitter_.Destroy();
        return false;
    }
    layoutReady_ = 1;
    return true;
}

int CMainFrame::OnCreate() {
    if (!CreateToolBar(IDR_MAINFRAME, TBSTYLE_FLAT, AFX_IDW_TOOLBAR))
        return -1;
    if (!CreateStatusBar(AFX_IDW_STATUS_BAR))
        return -1;
    CenterWindow(Handle());  // over the work area
    AddToolBarImages();
    return 0;
}

void CMainFrame::AddToolBarImages() {
    // A missing icon is left out; later buttons move down one image.
    UniqueImageList images =
        LoadIconImageList(Scale(kToolBarImageSize), kToolBarIcons, std::size(kToolBarIcons));
    SendMessageW(ToolBar(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    toolBarImages_ = std::move(images);  // the list shown until now goes
}

void CMainFrame::OnDpiChanged(int oldDpi) {
    FrameWindow::OnDpiChanged(oldDpi);
    AddToolBarImages();
}

void CMainFrame::OnSize(UINT type, int width, int height) {
    FrameWindow::OnSize(type, width, height);
    if (!layoutReady_)
        return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    splitter_.SetRowInfo(0, client.bottom, Scale(kMinimumHeight));
    splitter_.RecalcLayout();
    if (View* tree = splitter_.GetPane(0, 0)) {
        InvalidateRect(tree->Handle(), nullptr, TRUE);
        UpdateWindow(tree->Handle());
    }
}

CClassView* CMainFrame::FindClassView() const {
    return dynamic_cast<CClassView*>(splitter_.GetPane(0, 0));
}

CDataView* CMainFrame::FindDataView() const {
    return dynamic_cast<CDataView*>(splitter_.GetPane(0, 1));
}

CWinSvrView* CMainFrame::FindServiceListView() const {
    CDataView* data = FindDataView();
    return data ? dynamic_cast<CWinSvrView*>(data->Splitter().GetPane(0, 0)) : nullptr;
}

CDetailView* CMainFrame::FindDetailView() const {
    CDataView* data = FindDataView();
    return data ? dynamic_cast<CDetailView*>(data->Splitter().GetPane(1, 0)) : nullptr;
}

void CMainFrame::ShowServiceDetail(const SERVICE_ITEM* item) {
    SetMessageText(item ? item->Description : "");
    if (CDetailView* detail = FindDetailView())
        detail->SetService(item);
}

void CMainFrame::SetCategory(int32_t kind, int32_t group, int32_t value) {
    if (kind == kind_ && group == group_ && value == value_)
        return;
    kind_ = kind;
    group_ = group;
    value_ = value;
    ShowServiceDetail(nullptr);
    if (CWinSvrView* list = FindServiceListView())
        list->FillList(kind, group, value);
}

void CMainFrame::OnRefresh() {
    ShowServiceDetail(nullptr);
    if (CWinSvrView* list = FindServiceListView())
        list->Refresh(kind_, group_, value_);
    ReportLoadShortfall();
}

void CMainFrame::ReportLoadShortfall() {
    CWinSvrView* list = FindServiceListView();
    const std::string text = list ? LoadShortfallText(list->ServiceList()) : std::string();
    if (!text.empty())
        AppMessageBox(text, MB_OK | MB_ICONHAND);
}

void CMainFrame::OnVisitWebsite() {
    const std::wstring url = WideText(LoadResString(IDS_HOME_PAGE_URL));
    ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOW);
}

void CMainFrame::OnServiceStart() {
    if (CWinSvrView* list = FindServiceListView())
        list->StartSelectedService();
}

void CMainFrame::OnServiceStop() {
    if (CWinSvrView* list = FindServiceListView())
        list->StopSelectedService();
}

void CMainFrame::OnServiceProperty() {
    if (CWinSvrView* list = FindServiceListView())
        list->ShowSelectedProperties(!inventory_.IsLive());
}

void CMainFrame::OnEditUndo() {
    if (CWinSvrView* list = FindServiceListView())
        list->UndoStartTypeChange(!inventory_.IsLive());
}

void CMainFrame::OnServiceGroup() {
    CServiceGroupDlg dialog(groupRegistry_);
    dialog.DoModal();
}

bool CMainFrame::OnUpdateServiceControl() const {
    return kind_ == kKindWin32 && inventory_.IsLive();
}

void CMainFrame::ShowInventoryName(const std::wstring& fileName) {
    inventoryFileName_ = fileName;
    std::wstring caption = WideText(CommandPrompt(IDR_MAINFRAME));
    if (!fileName.empty())
        caption += L" - " + fileName;
    SetWindowTextW(Handle(), caption.c_str());
}

void CMainFrame::OnInventoryChanged(const std::wstring& fileName, CServiceList* loaded) {
    ShowInventoryName(fileName);
    if (!loaded) {
        OnRefresh();
        return;
    }
    ShowServiceDetail(nullptr);
    if (CWinSvrView* list = FindServiceListView())
        list->ShowCatalogue(*loaded, kind_, group_, value_);
}

void CMainFrame::OnFileSave() {
    // A saved inventory is another machine's, or another day's: its own name fits it better.
    std::wstring path =
        inventoryFileName_.empty() ? DefaultInventoryFileName() : inventoryFileName_;
    if (FindServiceListView() && AskInventoryFileName(Handle(), true, path))
        SaveInventoryAs(path);
}

bool CMainFrame::SaveInventoryAs(const std::wstring& path) {
    CWinSvrView* list = FindServiceListView();
    if (!list)
        return false;
    // Each service's configuration is read and its file hashed now: a moment on a real system.
    const HCURSOR before = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const uint32_t error = WriteInventoryFile(path, list->ServiceList(), inventory_);
    SetCursor(before);
    if (error != 0)
        AppMessageBox(InventorySaveFailureText(path, error), MB_OK | MB_ICONHAND);
    return error == 0;
}

void CMainFrame::OnEditCopy() {
    std::wstring text;
    CClassView* tree = FindClassView();
    CWinSvrView* list = FindServiceListView();
    if (tree && GetFocus() == tree->Handle()) {
        if (!tree->SelectedLabel(text))
            return;
    } else if (!list || !list->SelectedRowText(text)) {
        return;  // nothing selected: the clipboard keeps what it holds
    }
    const uint32_t error = PutTextOnClipboard(Handle(), text);
    if (error != 0)
        AppMessageBox(SystemErrorText(error), MB_OK | MB_ICONHAND);
}

void CMainFrame::MoveFocusToPane(int step) {
    View* panes[] = {FindClassView(), FindServiceListView(), FindDetailView()};
    const int count = static_cast<int>(sizeof panes / sizeof panes[0]);
    const HWND focus = GetFocus();
    // From the pane that holds the focus, or else from the active view; with neither, the next
    // pane is the first and the previous one the last.
    int current = -1;
    for (int i = 0; i < count; ++i) {
        if (panes[i] && panes[i] == ActiveView())
            current = i;
    }
    for (int i = 0; i < count; ++i) {
        if (panes[i] && focus == panes[i]->Handle())
            current = i;
    }
    if (current < 0)
        current = step > 0 ? count - 1 : 0;
    for (int n = 1; n <= count; ++n) {
        View* pane = panes[((current + step * n) % count + count) % count];
        if (pane && pane->Handle()) {
            SetActiveView(pane);
            SetFocus(pane->Handle());
            return;
        }
    }
}

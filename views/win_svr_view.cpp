#include "views/win_svr_view.h"

#include <commctrl.h>

#include "app/main_frame.h"
#include "category/category_filter.h"
#include "res/resource.h"
#include "window/resource_strings.h"

namespace {
struct ColumnSpec {
    UINT heading;
    int width;
    int format;
};
// In column order; the description follows the status and start-type columns.
constexpr ColumnSpec kColumns[] = {
    {IDS_COL_SERVICE_NAME, 120, LVCFMT_LEFT}, {IDS_COL_STATUS, 70, LVCFMT_CENTER},
    {IDS_COL_START_TYPE, 70, LVCFMT_CENTER},  {IDS_COL_DESCRIPTION, 200, LVCFMT_LEFT},
    {IDS_COL_FILE, 200, LVCFMT_LEFT},         {IDS_COL_GROUP, 80, LVCFMT_LEFT},
};
constexpr UINT kStartTypeIds[] = {IDS_START_BOOT, IDS_START_SYSTEM, IDS_START_AUTO,
                                  IDS_START_DEMAND, IDS_START_DISABLED};
constexpr int kImageSize = 16;

void SetCell(HWND list, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
}  // namespace

std::string ServiceStatusText(uint32_t currentState) {
    switch (ClassifyRunState(currentState)) {
        case RunStateClass::Stopped:
            return std::string();
        case RunStateClass::Paused:
            return LoadResString(IDS_STATE_PAUSED);
        default:
            return LoadResString(IDS_STATE_STARTED);
    }
}

std::string StartTypeText(uint32_t start) {
    return start < 5 ? LoadResString(kStartTypeIds[start]) : std::string();
}

// The cell texts a fill uses, loaded once per fill rather than once per row.
struct CWinSvrView::RowTexts {
    std::string started = ServiceStatusText(kStateRunning);
    std::string paused = ServiceStatusText(kStatePaused);
    std::string startTypes[5] = {StartTypeText(0), StartTypeText(1), StartTypeText(2),
                                 StartTypeText(3), StartTypeText(4)};

    const char* Status(uint32_t state) const {
        switch (ClassifyRunState(state)) {
            case RunStateClass::Stopped:
                return "";
            case RunStateClass::Paused:
                return paused.c_str();
            default:
                return started.c_str();
        }
    }
    const char* StartType(uint32_t start) const {
        return start < 5 ? startTypes[start].c_str() : "";
    }
};

CWinSvrView::CWinSvrView(ServiceManagerApi& services, RegistryApi& registry)
    : services_(services, registry) {}

CWinSvrView::~CWinSvrView() {
    Destroy();
}

bool CWinSvrView::PreCreateWindow(CREATESTRUCTA& cs) {
    cs.style = (cs.style & ~WS_BORDER) | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    cs.dwExStyle = (cs.dwExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)) | WS_EX_TRANSPARENT;
    return ListPane::PreCreateWindow(cs);
}

void CWinSvrView::OnInitialUpdate() {
    ListPane::OnInitialUpdate();
    SetupColumns();
    services_.Reload();
    FillList(kKindWin32, -1, -1);
}

void CWinSvrView::SetupColumns() {
    HWND list = Handle();
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    int index = 0;
    for (const ColumnSpec& def : kColumns) {
        std::string heading = LoadResString(def.heading);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = def.format;
        column.cx = def.width;
        column.pszText = &heading[0];
        SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
    }
    // The control owns the image list from here on and destroys it with itself.
    images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, 1, 1);
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    HICON icon =
        static_cast<HICON>(LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(IDI_SERVICE), IMAGE_ICON,
                                      kImageSize, kImageSize, LR_DEFAULTCOLOR));
    if (icon) {
        ImageList_ReplaceIcon(images_, -1, icon);
        DestroyIcon(icon);
    }
}

void CWinSvrView::AddRow(int index, const SERVICE_ITEM& record, bool showServiceDll,
                         const RowTexts& texts) {
    HWND list = Handle();
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(record.lpServiceName.c_str());
    item.iImage = 0;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(list, index, kColDescription, record.Description);
    SetCell(list, index, kColFile, showServiceDll ? record.ServiceDll : record.ImagePath);
    if (record.Group[0])
        SetCell(list, index, kColGroup, record.Group);
    SetCell(list, index, kColStatus, texts.Status(record.ServiceStatus.dwCurrentState));
    SetCell(list, index, kColStartType, texts.StartType(record.Start));
}

void CWinSvrView::FillList(int32_t kind, int32_t group, int32_t value) {
    HWND list = Handle();
    ready_ = 0;
    // One repaint for the whole rebuild, not one per row.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const CategoryFilter filter{kind, group, value};
    // The file column names the service DLL under the svchost categories, whatever the record.
    const bool showServiceDll = kind == kKindWin32 && group == 2;
    const RowTexts texts;
    int row = 0;
    int32_t cursor = -1;
    const SERVICE_ITEM* record = nullptr;
    for (bool more = services_.GetFirst(cursor, record); more;
         more = services_.GetNext(cursor, record)) {
        if (!record || IsFilteredOut(*record, filter))
            continue;
        AddRow(row++, *record, showServiceDll, texts);
    }
    ready_ = 1;
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CWinSvrView::Refresh(int32_t kind, int32_t group, int32_t value) {
    services_.Reload();
    FillList(kind, group, value);
}

void CWinSvrView::OnItemChanged(const NMLISTVIEW& notification, LRESULT& result) {
    result = 0;
    if (!ready_ || notification.iItem == -1)
        return;
    char name[kTextBytes] = {};
    LVITEMA item = {};
    item.iSubItem = kColName;
    item.pszText = name;
    item.cchTextMax = sizeof name;
    SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(notification.iItem),
                 reinterpret_cast<LPARAM>(&item));
    if (!name[0])
        return;
    const SERVICE_ITEM* record = services_.Find(name);
    if (!record)
        return;
    if (CMainFrame* frame = CMainFrame::Get())
        frame->ShowServiceDetail(record);
}

bool CWinSvrView::OnReflectedNotify(NMHDR* header, LRESULT& result) {
    if (header->code != LVN_ITEMCHANGED)
        return false;
    OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header), result);
    return true;
}

LRESULT CWinSvrView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        ready_ = 0;  // rows deleted on the way out route nothing
    if (message == WM_NCDESTROY)
        images_ = nullptr;
    return ListPane::HandleMessage(message, wParam, lParam);
}

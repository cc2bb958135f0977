#include "views/win_svr_view.h"

#include <commctrl.h>

#include <iterator>

#include "app/main_frame.h"
#include "category/category_filter.h"
#include "res/resource.h"
#include "window/image_list.h"
#include "window/list_view.h"
#include "window/resource_strings.h"

namespace {
struct ColumnDef {
    UINT heading;
    int width;
    int format;
};
// In column order; the description follows the status and start-type columns.
constexpr ColumnDef kColumns[] = {
    {IDS_COL_SERVICE_NAME, 120, LVCFMT_LEFT}, {IDS_COL_STATUS, 70, LVCFMT_CENTER},
    {IDS_COL_START_TYPE, 70, LVCFMT_CENTER},  {IDS_COL_DESCRIPTION, 200, LVCFMT_LEFT},
    {IDS_COL_FILE, 200, LVCFMT_LEFT},         {IDS_COL_GROUP, 80, LVCFMT_LEFT},
};
constexpr UINT kStartTypeIds[] = {IDS_START_BOOT, IDS_START_SYSTEM, IDS_START_AUTO,
                                  IDS_START_DEMAND, IDS_START_DISABLED};
constexpr int kImageSize = 16;  // pixels at 96 DPI, as the column widths
constexpr int kRowIcons[] = {IDI_SERVICE};

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
    return start < std::size(kStartTypeIds) ? LoadResString(kStartTypeIds[start]) : std::string();
}

// The cell texts a fill uses, loaded once per fill rather than once per row.
struct CWinSvrView::RowTexts {
    std::string started = ServiceStatusText(kStateRunning);
    std::string paused = ServiceStatusText(kStatePaused);
    std::string startTypes[std::size(kStartTypeIds)];

    RowTexts() {
        for (uint32_t start = 0; start < std::size(kStartTypeIds); ++start)
            startTypes[start] = StartTypeText(start);
    }
    const char* Status(uint32_t state) const {
        RunStateClass runState = ClassifyRunState(state);
        return runState == RunStateClass::Stopped  ? ""
               : runState == RunStateClass::Paused ? paused.c_str()
                                                   : started.c_str();
    }
    const char* StartType(uint32_t start) const {
        return start < std::size(startTypes) ? startTypes[start].c_str() : "";
    }
};

CWinSvrView::CWinSvrView(ServiceManagerApi& services, ServiceRegistryApi& registry)
    : catalogue_(services, registry) {}

CWinSvrView::~CWinSvrView() {
    Destroy();
}

bool CWinSvrView::PreCreateWindow(CREATESTRUCTW& cs) {
    cs.style = (cs.style & ~WS_BORDER) | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    cs.dwExStyle = (cs.dwExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)) | WS_EX_TRANSPARENT;
    return ListPane::PreCreateWindow(cs);
}

void CWinSvrView::OnInitialUpdate() {
    ListPane::OnInitialUpdate();
    SetupColumns();
    if (loadedAtStart_)
        catalogue_.Swap(*loadedAtStart_);
    else
        catalogue_.Reload();
    loadedAtStart_ = nullptr;
    FillList(kKindWin32, -1, -1);
}

void CWinSvrView::SetupColumns() {
    HWND list = Handle();
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    font_.Apply(list, Dpi());
    int index = 0;
    for (const ColumnDef& def : kColumns) {
        InsertListColumn(list, index++, LoadResString(def.heading).c_str(), def.format,
                         Scale(def.width));
    }
    SetImages();
}

void CWinSvrView::SetImages() {
    // The control owns the image list from here on and destroys it with itself; one it shows no
    // longer is ours to destroy.
    images_ = LoadIconImageList(Scale(kImageSize), kRowIcons, std::size(kRowIcons)).Release();
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_)));
    if (previous && previous != images_)
        ImageList_Destroy(previous);
}

void CWinSvrView::OnDpiChanged(int oldDpi) {
    HWND list = Handle();
    font_.Apply(list, Dpi());
    SetImages();
    // The widths as they are now, the user's own included.
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(RescaleDpi(width, oldDpi, Dpi()), 0));
    }
}

void CWinSvrView::AddRow(int index, int32_t cursor, const SERVICE_ITEM& record, bool showServiceDll,
                         const RowTexts& texts) {
    HWND list = Handle();
    InsertListRow(list, index, record.lpServiceName.c_str(), 0, cursor);
    SetListCell(list, index, kColDescription, record.Description);
    SetListCell(list, index, kColFile, showServiceDll ? record.ServiceDll : record.ImagePath);
    if (record.Group[0])
        SetListCell(list, index, kColGroup, record.Group);
    SetListCell(list, index, kColStatus, texts.Status(record.ServiceStatus.dwCurrentState));
    SetListCell(list, index, kColStartType, texts.StartType(record.Start));
}

void CWinSvrView::FillList(int32_t kind, int32_t group, int32_t value) {
    HWND list = Handle();
    ready_ = 0;
    // One repaint for the whole rebuild, not one per row.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const CategoryFilter filter{kind, group, value};
    // The file column names the service DLL under the svchost categories, whatever the record.
    const bool showServiceDll = kind == kKindWin32 && group == kCategoryGroupSvchost;
    const RowTexts texts;
    int row = 0;
    int32_t cursor = -1;
    const SERVICE_ITEM* record = nullptr;
    for (bool more = catalogue_.GetFirst(cursor, record); more;
         more = catalogue_.GetNext(cursor, record)) {
        if (!record || IsFilteredOut(*record, filter))
            continue;
        AddRow(row++, cursor, *record, showServiceDll, texts);
    }
    ready_ = 1;
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void CWinSvrView::Refresh(int32_t kind, int32_t group, int32_t value) {
    catalogue_.Reload();
    FillList(kind, group, value);
}

void CWinSvrView::ShowCatalogue(CServiceList& loaded, int32_t kind, int32_t group, int32_t value) {
    catalogue_.Swap(loaded);
    FillList(kind, group, value);
}

void CWinSvrView::OnItemChanged(const NMLISTVIEW& notification, LRESULT& result) {
    result = 0;
    if (!ready_ || notification.iItem == -1)
        return;
    const SERVICE_ITEM* record = RecordOfRow(notification.iItem);
    if (!record)
        return;
    if (CMainFrame* frame = CMainFrame::Get())
        frame->ShowServiceDetail(record);
}

const SERVICE_ITEM* CWinSvrView::RecordOfRow(int row) const {
    const std::string name = ListCellText(Handle(), row, kColName);
    if (name.empty())
        return nullptr;
    // Names are unique as the manager holds them, in UTF-16, but two can read alike in UTF-8 (a
    // lone surrogate and U+FFFD): the row's own record, not the first of that name, is the one.
    const SERVICE_ITEM* filled = catalogue_.GetAt(static_cast<int32_t>(ListRowData(Handle(), row)));
    if (filled && filled->lpServiceName == name)
        return filled;
    return catalogue_.Find(name.c_str());
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

// The service list's commands on its selected row: start, stop, the properties dialog and the
// row's text for the clipboard. Start and stop ask first, report a refused request with the
// system's reason, and rewrite the row's status cell only when the request went through; the
// catalogue keeps its states until a refresh.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "dialogs/service_property_dlg.h"
#include "res/resource.h"
#include "views/win_svr_view.h"
#include "window/list_view.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

constexpr UINT kConfirmStyle = MB_YESNO | MB_ICONQUESTION;

// The service name of the selected row; empty (after telling the user when no row is selected)
// when there is nothing to act on.
std::string SelectedServiceName(HWND list, int& row) {
    row = SelectedListRow(list);
    if (row < 0) {
        AppMessageBox(IDS_SELECT_SERVICE, MB_OK | MB_ICONHAND);
        return std::string();
    }
    return ListCellText(list, row, CWinSvrView::kColName);
}

// The selected Win32 service, once the user has confirmed the command named by confirmText; empty
// when there is nothing to act on or the user said no.
std::string ConfirmedServiceName(HWND list, const CServiceList& services, UINT confirmText,
                                 int& row) {
    std::string name = SelectedServiceName(list, row);
    if (name.empty())
        return name;
    const SERVICE_ITEM* record = services.Find(name.c_str());
    if (!record || record->ServiceKind != kKindWin32)
        return std::string();
    if (AppMessageBox(FormatResString(confirmText, name), kConfirmStyle) != IDYES)
        return std::string();
    return name;
}

}  // namespace

void CWinSvrView::StartSelectedService() {
    int row = -1;
    std::string name = ConfirmedServiceName(ListControl(), services_, IDS_CONFIRM_START, row);
    if (name.empty())
        return;
    ServiceControlResult result;
    if (!services_.StartServiceByName(name.c_str(), &result)) {
        AppMessageBox(SystemErrorText(result.error), MB_OK | MB_ICONHAND);
        return;
    }
    SetListCell(ListControl(), row, kColStatus, ServiceStatusText(kStateRunning).c_str());
}

void CWinSvrView::StopSelectedService() {
    int row = -1;
    std::string name = ConfirmedServiceName(ListControl(), services_, IDS_CONFIRM_STOP, row);
    if (name.empty())
        return;
    ServiceControlResult result;
    // A service that is already stopped or stopping has got what was asked for.
    if (!services_.StopServiceByName(name.c_str(), &result) && !result.alreadyStopped) {
        AppMessageBox(SystemErrorText(result.error), MB_OK | MB_ICONHAND);
        return;
    }
    SetListCell(ListControl(), row, kColStatus, "");
}

void CWinSvrView::ShowSelectedProperties(bool savedInventory) {
    int row = -1;
    std::string name = SelectedServiceName(ListControl(), row);
    if (name.empty())
        return;
    const SERVICE_ITEM* record = services_.Find(name.c_str());
    if (!record)
        return;
    CServicePropertyDlg dialog(services_.Registry());
    dialog.SetRecord(*record);
    dialog.SetSavedInventory(savedInventory);
    dialog.DoModal();
}

bool CWinSvrView::SelectedRowText(std::wstring& text) const {
    const int row = SelectedListRow(ListControl());
    if (row < 0)
        return false;
    text.clear();
    wchar_t cell[4096];
    for (int column = kColName; column <= kColGroup; ++column) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = cell;
        item.cchTextMax = static_cast<int>(sizeof cell / sizeof cell[0]);
        cell[0] = L'\0';
        SendMessageW(ListControl(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        if (column != kColName)
            text += L'\t';
        text += cell;
    }
    text += L"\r\n";
    return true;
}

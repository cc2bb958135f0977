#include "dialogs/service_group_dlg.h"

#include <commctrl.h>

#include "res/resource.h"

namespace {

const char kSvchostKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";
const char kGroupOrderKey[] = "System\\CurrentControlSet\\Control\\ServiceGroupOrder";
const char kGroupOrderValue[] = "List";

constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

void InsertColumn(HWND list, int index, const char* heading, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

}  // namespace

CServiceGroupDlg::CServiceGroupDlg(RegistryApi& registry)
    : Dialog(IDD_SERVICE_GROUP), registry_(registry) {}

BOOL CServiceGroupDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    SetupList(Item(IDC_SVCHOST_LIST), "Name", 130, "Member", 300);
    SetupList(Item(IDC_GROUP_ORDER_LIST), "Order", 60, "Name", 370);
    FillSvchostList();
    FillGroupOrderList();
    return TRUE;
}

void CServiceGroupDlg::SetupList(HWND list, const char* first, int firstWidth, const char* second,
                                 int secondWidth) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExStyle);
    InsertColumn(list, 0, first, firstWidth);
    InsertColumn(list, 1, second, secondWidth);
}

void CServiceGroupDlg::FillSvchostList() {
    std::vector<RegistryValue> values;
    if (!registry_.EnumerateValues(kSvchostKey, values))
        return;
    AppendRows(Item(IDC_SVCHOST_LIST), SvchostGroupRows(values));
}

void CServiceGroupDlg::FillGroupOrderList() {
    RegistryValue list;
    if (!registry_.ReadValue(kGroupOrderKey, kGroupOrderValue, list))
        return;
    AppendRows(Item(IDC_GROUP_ORDER_LIST), GroupOrderRows(list.data));
}

void CServiceGroupDlg::AppendRows(HWND list, const std::vector<GroupListRow>& rows) {
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (const GroupListRow& row : rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = count;
        item.pszText = const_cast<char*>(row.first.c_str());
        int index = static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0)
            continue;
        LVITEMA cell = {};
        cell.iSubItem = 1;
        cell.pszText = const_cast<char*>(row.second.c_str());
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&cell));
        ++count;
    }
}

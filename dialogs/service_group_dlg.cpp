#include "dialogs/service_group_dlg.h"

#include <commctrl.h>

#include "res/resource.h"
#include "window/list_view.h"

namespace {

const char kSvchostKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";
const char kGroupOrderKey[] = "System\\CurrentControlSet\\Control\\ServiceGroupOrder";
const char kGroupOrderValue[] = "List";

constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

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
    InsertListColumn(list, 0, first, LVCFMT_LEFT, firstWidth);
    InsertListColumn(list, 1, second, LVCFMT_LEFT, secondWidth);
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
        int index = InsertListRow(list, count, row.first.c_str());
        if (index < 0)
            continue;
        SetListCell(list, index, 1, row.second.c_str());
        ++count;
    }
}

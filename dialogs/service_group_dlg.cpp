#include "dialogs/service_group_dlg.h"

#include <commctrl.h>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "window/dpi.h"
#include "window/list_view.h"

namespace {

const char kSvchostKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";
const char kGroupOrderKey[] = "System\\CurrentControlSet\\Control\\ServiceGroupOrder";
const char kGroupOrderValue[] = "List";

constexpr DWORD kListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

}  // namespace

CServiceGroupDlg::CServiceGroupDlg(GroupRegistryApi& registry)
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
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExStyle);
    // The widths are pixels at 96 DPI; the dialog's own size follows its font.
    const int dpi = WindowDpi(Handle());
    InsertListColumn(list, 0, first, LVCFMT_LEFT, ScaleToDpi(firstWidth, dpi));
    InsertListColumn(list, 1, second, LVCFMT_LEFT, ScaleToDpi(secondWidth, dpi));
}

void CServiceGroupDlg::FillSvchostList() {
    if (!registry_.EnumerateValues(kSvchostKey, svchostValues_))
        svchostValues_.clear();
    SetRowCount(Item(IDC_SVCHOST_LIST), svchostValues_.size());
}

void CServiceGroupDlg::FillGroupOrderList() {
    RegistryValue list;
    if (registry_.ReadValue(kGroupOrderKey, kGroupOrderValue, list)) {
        groupOrder_ = std::move(list.data);
        groupOrderPieces_ = GroupOrderPieces(groupOrder_);
    }
    SetRowCount(Item(IDC_GROUP_ORDER_LIST), groupOrderPieces_.size());
}

void CServiceGroupDlg::SetRowCount(HWND list, std::size_t count) {
    // Nothing is drawn until the whole count is in place.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, count, LVSICF_NOINVALIDATEALL);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

GroupListRow CServiceGroupDlg::Row(int listId, int row) const {
    if (row < 0)
        return GroupListRow();
    const auto index = static_cast<size_t>(row);
    if (listId == IDC_SVCHOST_LIST && index < svchostValues_.size())
        return SvchostGroupRow(svchostValues_[index]);
    if (listId == IDC_GROUP_ORDER_LIST && index < groupOrderPieces_.size())
        return GroupOrderRow(groupOrder_, groupOrderPieces_[index]);
    return GroupListRow();
}

bool CServiceGroupDlg::OnNotify(NMHDR* header, LRESULT& result) {
    result = 0;
    const int listId = static_cast<int>(header->idFrom);
    if (listId != IDC_SVCHOST_LIST && listId != IDC_GROUP_ORDER_LIST)
        return false;
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if (item.mask & LVIF_TEXT) {
            const GroupListRow row = Row(listId, item.iItem);
            cellText_ = WideText(item.iSubItem == 0 ? row.first : row.second);
            item.pszText = &cellText_[0];
        }
        return true;
    }
    return false;
}

// The service groups dialog: a read-only report of the svchost host groups and of the service
// group load order, read afresh from the registry each time it opens.
#pragma once

#include <string>
#include <vector>

#include "dialogs/group_lists.h"
#include "platform/platform.h"
#include "window/dialog.h"

class CServiceGroupDlg : public Dialog {
public:
    explicit CServiceGroupDlg(GroupRegistryApi& registry);

protected:
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void SetupList(HWND list, const char* first, int firstWidth, const char* second,
                   int secondWidth);
    void FillSvchostList();
    void FillGroupOrderList();
    // The lists hold no texts of their own (owner data): they ask for a cell as they show it.
    GroupListRow Row(int listId, int row) const;
    static void SetRowCount(HWND list, std::size_t count);

    GroupRegistryApi& registry_;
    std::vector<RegistryValue> svchostValues_;
    std::vector<uint8_t> groupOrder_;
    std::vector<GroupOrderPiece> groupOrderPieces_;
    std::wstring cellText_;  // the last cell handed out, alive until the next is asked for
};

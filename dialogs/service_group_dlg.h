// The service groups dialog: a read-only report of the svchost host groups and of the service
// group load order, read afresh from the registry each time it opens.
#pragma once

#include <vector>

#include "dialogs/group_lists.h"
#include "platform/platform.h"
#include "window/dialog.h"

class CServiceGroupDlg : public Dialog {
public:
    explicit CServiceGroupDlg(RegistryApi& registry);

protected:
    BOOL OnInitDialog() override;

private:
    void SetupList(HWND list, const char* first, int firstWidth, const char* second,
                   int secondWidth);
    void FillSvchostList();
    void FillGroupOrderList();
    static void AppendRows(HWND list, const std::vector<GroupListRow>& rows);

    RegistryApi& registry_;
};

// The service list's commands on its selected row: start, stop, the properties dialog and the
// row's text for the clipboard. Start and stop ask first, report a refused request with the
// system's reason, and otherwise follow the service until it gets where it was sent: the row's
// status cell then shows the state it reached, and a service that stopped instead, or did not get
// there in time, is reported. The catalogue keeps its states until a refresh.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/main_frame.h"
#include "dialogs/service_property_dlg.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "views/win_svr_view.h"
#include "window/application.h"
#include "window/list_view.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

constexpr UINT kConfirmStyle = MB_YESNO | MB_ICONQUESTION;
constexpr UINT kFailureStyle = MB_OK | MB_ICONHAND;

// The record of the selected row; null (after telling the user when no row is selected) when
// there is nothing to act on.
const SERVICE_ITEM* SelectedRecord(const CWinSvrView& view, int& row) {
    row = SelectedListRow(view.ListControl());
    if (row < 0) {
        AppMessageBox(IDS_SELECT_SERVICE, MB_OK | MB_ICONHAND);
        return nullptr;
    }
    return view.RecordOfRow(row);
}

// The selected Win32 service's record, once the user has confirmed the command named by
// confirmText; null when there is nothing to act on or the user said no.
const SERVICE_ITEM* ConfirmedService(const CWinSvrView& view, UINT confirmText, int& row) {
    const SERVICE_ITEM* record = SelectedRecord(view, row);
    if (!record || record->ServiceKind != kKindWin32)
        return nullptr;
    if (AppMessageBox(FormatResString(confirmText, record->lpServiceName), kConfirmStyle) != IDYES)
        return nullptr;
    return record;
}

// The waits of following a service are spent in the message loop: the window repaints, answers
// and shows its commands disabled meanwhile.
class PumpingClock : public FollowClock {
public:
    uint64_t NowMs() override { return GetTickCount64(); }
    void Wait(uint32_t ms) override {
        if (Application* app = Application::Current()) {
            app->PumpFor(ms);
        } else {
            Sleep(ms);
        }
    }
};

class WaitCursorScope {
public:
    explicit WaitCursorScope(CMainFrame* frame) : frame_(frame) {
        if (frame_)
            frame_->SetWaitCursor(true);
    }
    ~WaitCursorScope() {
        if (frame_)
            frame_->SetWaitCursor(false);
    }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    CMainFrame* frame_;
};

// Why a followed service did not get where it was sent: the system's text for the code it stopped
// with (and its own number for a service-specific one), or for the time-out.
std::string OutcomeFailureText(const ServiceControlResult& result) {
    if (result.error == 0)
        return LoadResString(IDS_SERVICE_STOPPED_AFTER_START);
    std::string text = SystemErrorText(result.error);
    if (result.error == kErrorServiceSpecificError) {
        text += "\n\n" + FormatResString(IDS_SERVICE_SPECIFIC_CODE,
                                         std::to_string(result.serviceSpecificError));
    }
    return text;
}

// The row that shows the service: the one acted on, unless the list was rebuilt meanwhile.
int RowOfService(const CWinSvrView& view, int row, const std::u16string& name) {
    auto shows = [&](int i) {
        const SERVICE_ITEM* record = view.RecordOfRow(i);
        return record && record->lpServiceNameW == name;
    };
    if (row >= 0 && shows(row))
        return row;
    const int count = static_cast<int>(SendMessageW(view.ListControl(), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (shows(i))
            return i;
    }
    return -1;
}

}  // namespace

void CWinSvrView::StartSelectedService() {
    ControlSelectedService(true);
}

void CWinSvrView::StopSelectedService() {
    ControlSelectedService(false);
}

void CWinSvrView::ControlSelectedService(bool start) {
    // While the frame is busy, the commands that arrive during the waits (which dispatch messages)
    // report disabled and are refused.
    FrameBusyScope busy;
    int row = -1;
    const SERVICE_ITEM* record =
        ConfirmedService(*this, start ? IDS_CONFIRM_START : IDS_CONFIRM_STOP, row);
    if (!record)
        return;
    const std::u16string nameW = record->lpServiceNameW;
    ServiceControlResult result;
    bool reached = false;
    {
        WaitCursorScope cursor(busy.Frame());
        PumpingClock clock;
        reached = start ? services_.StartServiceByName(nameW, &result, &clock, followBoundMs_)
                        : services_.StopServiceByName(nameW, &result, &clock, followBoundMs_);
    }
    // A refused request changed nothing; a stop of a stopped service got what was asked for.
    if (!reached && !result.followed && !result.alreadyStopped) {
        AppMessageBox(SystemErrorText(result.error), kFailureStyle);
        return;
    }
    const uint32_t state = result.followed ? result.status.dwCurrentState
                           : start         ? kStateRunning
                                           : kStateStopped;
    row = RowOfService(*this, row, nameW);
    if (row >= 0)
        SetListCell(ListControl(), row, kColStatus, ServiceStatusText(state).c_str());
    if (!reached && result.followed)
        AppMessageBox(OutcomeFailureText(result), kFailureStyle);
}

void CWinSvrView::ShowSelectedProperties(bool savedInventory) {
    int row = -1;
    const SERVICE_ITEM* record = SelectedRecord(*this, row);
    if (!record)
        return;
    CServicePropertyDlg dialog(services_.Services());
    dialog.SetRecord(*record);
    dialog.SetSavedInventory(savedInventory);
    dialog.DoModal();
}

bool CWinSvrView::SelectedRowText(std::wstring& text) const {
    const int row = SelectedListRow(ListControl());
    if (row < 0)
        return false;
    std::string cells;
    for (int column = kColName; column <= kColGroup; ++column) {
        if (column != kColName)
            cells += '\t';
        cells += ListCellText(ListControl(), row, column);
    }
    text = WideText(cells + "\r\n");
    return true;
}

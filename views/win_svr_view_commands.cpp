// The service list's commands on its selected row: start, stop, the properties dialog and the
// row's text for the clipboard; and setting back the start type the dialog last changed. Start and
// stop ask first, report a refused request with the system's reason, and otherwise follow the
// service until it gets where it was sent: the row's status cell then shows the state it reached,
// and a service that stopped instead, or did not get there in time, is reported. A stop refused
// because active services depend on the service offers to stop them first. The catalogue keeps its
// states until a refresh.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/service_property_dlg.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "views/win_svr_view.h"
#include "window/application.h"
#include "window/frame_window.h"
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

// The waits of following a service are spent in the message loop: the window repaints, answers,
// shows the wait cursor and shows its commands disabled meanwhile.
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

// The question before stopping the services that depend on name: each on a line of its own, at
// most kListedDependents of them, so that the box and its buttons fit on the screen.
std::string DependentsQuestion(const std::string& name,
                               const std::vector<ServiceEntry>& dependents) {
    constexpr std::size_t kListedDependents = 15;
    std::string list;
    for (std::size_t i = 0; i < dependents.size() && i < kListedDependents; ++i)
        list += (i ? "\n" : "") + dependents[i].serviceName;
    if (dependents.size() > kListedDependents) {
        list += "\n" + FormatResString(IDS_MORE_DEPENDENTS,
                                       std::to_string(dependents.size() - kListedDependents));
    }
    return FormatResString(IDS_CONFIRM_STOP_DEPENDENTS, {name, list, name});
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
    const std::string name = record->lpServiceName;
    ServiceControlResult result;
    PumpingClock clock;
    // Each stop asks the manager for SERVICE_STOP | SERVICE_QUERY_STATUS on its service.
    bool reached = start ? catalogue_.StartServiceByName(nameW, clock, result, followBoundMs_)
                         : catalogue_.StopServiceByName(nameW, clock, result, followBoundMs_);
    if (!start && !reached && !result.followed && result.error == kErrorDependentServicesRunning) {
        switch (StopDependents(nameW, name, clock)) {
            case DependentsStop::Stopped:
                reached = catalogue_.StopServiceByName(nameW, clock, result, followBoundMs_);
                break;
            case DependentsStop::NotListed:
                break;  // the refusal's own reason is shown
            default:
                return;
        }
    }
    // A refused request changed nothing; a stop of a stopped service got what was asked for.
    if (!reached && !result.followed && !result.alreadyStopped) {
        AppMessageBox(SystemErrorText(result.error), kFailureStyle);
        return;
    }
    ShowStateReached(row, nameW, result);
    if (!reached && result.followed)
        AppMessageBox(OutcomeFailureText(result), kFailureStyle);
}

void CWinSvrView::ShowStateReached(int row, const std::u16string& nameW,
                                   const ServiceControlResult& result) {
    const uint32_t state = result.followed ? result.status.dwCurrentState : kStateStopped;
    row = RowOfService(*this, row, nameW);
    if (row >= 0)
        SetListCell(ListControl(), row, kColStatus, ServiceStatusText(state).c_str());
}

CWinSvrView::DependentsStop CWinSvrView::StopDependents(const std::u16string& nameW,
                                                        const std::string& name,
                                                        FollowClock& clock) {
    std::vector<ServiceEntry> dependents;
    if (catalogue_.Services().EnumerateActiveDependents(nameW, dependents) != 0)
        return DependentsStop::NotListed;
    // None left (they stopped meanwhile): the service is stopped again without asking twice.
    if (!dependents.empty() &&
        AppMessageBox(DependentsQuestion(name, dependents), kConfirmStyle) != IDYES)
        return DependentsStop::Declined;
    for (const ServiceEntry& dependent : dependents) {
        ServiceControlResult result;
        const bool stopped =
            catalogue_.StopServiceByName(dependent.serviceNameW, clock, result, followBoundMs_);
        if (result.followed || result.alreadyStopped)
            ShowStateReached(-1, dependent.serviceNameW, result);
        if (!stopped && !result.alreadyStopped) {
            const std::string reason =
                result.followed ? OutcomeFailureText(result) : SystemErrorText(result.error);
            AppMessageBox(
                FormatResString(IDS_DEPENDENT_NOT_STOPPED, {dependent.serviceName, name, reason}),
                kFailureStyle);
            return DependentsStop::Failed;
        }
    }
    return DependentsStop::Stopped;
}

void CWinSvrView::ShowSelectedProperties(bool savedInventory) {
    int row = -1;
    const SERVICE_ITEM* record = SelectedRecord(*this, row);
    if (!record)
        return;
    const std::u16string nameW = record->lpServiceNameW;
    const std::string name = record->lpServiceName;
    const uint32_t recordStart = record->Start;
    CServicePropertyDlg dialog(catalogue_.Services());
    dialog.SetRecord(*record);
    dialog.SetSavedInventory(savedInventory);
    dialog.DoModal();
    uint32_t written = 0;
    if (dialog.WrittenStartType(written))
        startTypeChanges_.Changed(nameW, name, recordStart, written);
}

void CWinSvrView::UndoStartTypeChange(bool savedInventory) {
    const StartTypeChange* last = startTypeChanges_.Last();
    if (!last)
        return;
    // The list shows what a machine had, not the system the change was made on.
    if (savedInventory) {
        AppMessageBox(IDS_INVENTORY_READ_ONLY, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string question =
        FormatResString(IDS_CONFIRM_UNDO_START_TYPE,
                        {last->serviceName, StartTypeText(last->to), StartTypeText(last->from)});
    if (AppMessageBox(question, kConfirmStyle) != IDYES)
        return;
    const uint32_t error = startTypeChanges_.Undo(catalogue_.Services());
    if (error != 0)
        AppMessageBox(SystemErrorText(error), kFailureStyle);
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

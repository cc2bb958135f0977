// Prints how long the service groups dialog takes to fill its group-order list of 1,000, 10,000 and
// 100,000 entries (the "List" value over the fake registry), to the first paint of the filled
// dialog, and the memory (working set) the open dialog holds beyond the process before it.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/measure.h"
#include "dialogs/service_group_dlg.h"
#include "platform/fake/fake_system.h"

namespace {

// The dialog, timed from inside: its initialisation, then (a zero timer comes after the first
// paint) the moment it has shown itself filled, when it closes.
class TimedGroupDlg : public CServiceGroupDlg {
public:
    using CServiceGroupDlg::CServiceGroupDlg;
    double initMs = 0;
    double shownMs = 0;
    double megabytes = 0;
    Clock::time_point opened;

protected:
    BOOL OnInitDialog() override {
        const auto began = Clock::now();
        BOOL result = CServiceGroupDlg::OnInitDialog();
        initMs = MillisecondsSince(began);
        SetTimer(Handle(), 1, 0, nullptr);
        return result;
    }

public:
    void Shown() {
        shownMs = MillisecondsSince(opened);
        megabytes = WorkingSetMegabytes();
        KillTimer(Handle(), 1);
        EndDialog(IDOK);
    }
};

TimedGroupDlg* g_dialog = nullptr;

// Dialog timers reach the dialog procedure, which has no use for them: a thread hook sees them.
LRESULT CALLBACK TimerHook(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && msg->message == WM_TIMER && g_dialog &&
        msg->hwnd == g_dialog->Handle())
        g_dialog->Shown();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Bench(int entries) {
    FakeSystem fake;
    std::string list;
    for (int i = 0; i < entries; ++i)
        list += "Group" + std::to_string(i) + '\0';
    list += '\0';
    fake.SetRaw("System\\CurrentControlSet\\Control\\ServiceGroupOrder", "List", kRegMultiSz,
                std::vector<uint8_t>(list.begin(), list.end()));
    const double before = WorkingSetMegabytes();
    TimedGroupDlg dialog(fake);
    g_dialog = &dialog;
    dialog.opened = Clock::now();
    dialog.DoModal();
    g_dialog = nullptr;
    std::printf(
        "group order of %6d entries: filled in %8.1f ms, shown filled after %8.1f ms, "
        "%6.1f MB while open\n",
        entries, dialog.initMs, dialog.shownMs, dialog.megabytes - before);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, TimerHook, nullptr, GetCurrentThreadId());
    for (int entries : {1000, 10000, 100000})
        Bench(entries);
    UnhookWindowsHookEx(hook);
    return 0;
}

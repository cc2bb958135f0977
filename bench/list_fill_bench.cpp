// Prints how long the service list takes to fill: FillList over 1,000 and 10,000 fake records (all
// shown, and a category that shows a tenth), and the time from process start until the main window
// shows a filled list of the live services.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/app.h"
#include "app/main_frame.h"
#include "platform/fake/fake_system.h"
#include "platform/win32/win32_system.h"
#include "views/win_svr_view.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void AddFakeServices(FakeSystem& system, int count) {
    for (int i = 0; i < count; ++i) {
        std::string name = "Service" + std::to_string(i);
        system.AddService(kServiceTypeWin32, name, "C:\\Programs\\" + name + ".exe", 2 + i % 3,
                          i % 10 == 0 ? kStateRunning : kStateStopped);
        system.SetString(FakeSystem::ServiceKey(name), "Description", "服务 " + name);
        system.SetString(FakeSystem::ServiceKey(name), "Group", "Group" + std::to_string(i % 7));
    }
}

void BenchFake(int count) {
    FakeSystem system;
    AddFakeServices(system, count);
    theApp.SetPlatform(system, system, system);
    if (!theApp.InitInstance())
        return;
    CWinSvrView* list = theApp.MainFrame()->FindServiceListView();
    const int rounds = 5;
    double all = 0, tenth = 0;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        list->FillList(kKindWin32, -1, -1);
        all += Milliseconds(std::chrono::steady_clock::now() - start);
        start = std::chrono::steady_clock::now();
        list->FillList(kKindWin32, 0, 0);
        tenth += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    std::printf("FillList %6d records: all shown %8.1f ms, a tenth shown %7.1f ms (mean of %d)\n",
                count, all / rounds, tenth / rounds, rounds);
    theApp.ExitInstance();
}

double SinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    return static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0;
}

}  // namespace

int main() {
    // First the live start-up, while the process is young.
    Win32System system;
    theApp.SetPlatform(system, system, system);
    if (theApp.InitInstance()) {
        int rows = static_cast<int>(SendMessageA(
            theApp.MainFrame()->FindServiceListView()->Handle(), LVM_GETITEMCOUNT, 0, 0));
        std::printf("process start to filled list (live, %d rows): %.1f ms\n", rows,
                    SinceProcessStart());
        theApp.ExitInstance();
    }
    BenchFake(1000);
    BenchFake(10000);
    return 0;
}

// Prints what opening a big or crafted saved inventory at start costs, each in a process of its
// own so that its peak memory is its own: the time from start to the window showing the file (and
// of that, what reading, checking and loading the file alone takes), the time to close the window
// again, and the peak working set. Files: 20,000 ordinary names beside 20,000 names crafted so that
// std::hash gives all their keys one value, then 100,000 and 1,000,000 rows (the second more than a
// file may hold: it is refused, and how fast shows). Judges nothing.
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/inventory_io.h"
#include "bench/measure.h"
#include "platform/fake/fake_system.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide_text.h"
#include "tests/support/inventory_files.h"
#include "window/message_box.h"

namespace {

// The child: starts the program on the file as "Orvane.exe FILE" does, then closes it.
int OpenAndClose(const std::wstring& path) {
    FakeSystem live;  // what shows when the file is refused: nothing
    std::string refusal;
    ScopedMessageBoxAnswerer answerer([&refusal](const std::string& text, UINT) {
        refusal = text;
        return IDOK;
    });
    theApp.SetPlatform(live, live, live);
    theApp.SetStartupFile(path);
    const Clock::time_point began = Clock::now();
    if (!theApp.InitInstance())
        return 1;
    const double openMs = MillisecondsSince(began);
    const Clock::time_point closing = Clock::now();
    theApp.ExitInstance();
    const double closeMs = MillisecondsSince(closing);
    const double peak = WorkingSetMegabytes(true);
    // The file alone (read, checked, loaded into a catalogue), without the window, and freed.
    const Clock::time_point reading = Clock::now();
    {
        LoadedInventory loaded;
        InventoryOpenFailure failure;
        ReadInventoryFile(path, loaded, failure);
    }
    const double readMs = MillisecondsSince(reading);
    for (char& c : refusal) {
        if (c == '\n')
            c = ' ';
    }
    std::printf("%10.1f ms %10.1f ms %10.1f ms %10.1f MB   %s\n", openMs, readMs, closeMs, peak,
                refusal.empty() ? "opened" : ("refused: " + refusal).c_str());
    return 0;
}

void Run(const char* what, std::size_t records, const std::vector<std::string>& names) {
    const std::wstring path = TempPath(L"orvane-open-bench.csv");
    const std::string file = InventoryFileOf(names);
    if (ReplaceFileContent(path, file) != 0) {
        std::printf("%-32s cannot write the file\n", what);
        return;
    }
    std::printf("%-32s %8zu %7.1f MB", what, records, static_cast<double>(file.size()) / 1e6);
    std::fflush(stdout);
    wchar_t self[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" open \"" + path + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    DeleteFileW(path.c_str());
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv && argc == 3 && std::wstring(argv[1]) == L"open")
        return OpenAndClose(argv[2]);
    std::printf("%-32s %8s %10s %13s %13s %13s %13s\n", "saved inventory opened at start",
                "records", "file", "open", "(file alone)", "close", "peak memory");
    Run("ordinary names", 20000, OrdinaryServiceNames(20000));
    Run("names crafted to collide", 20000, CollidingServiceNames(20000));
    Run("rows", 100000, OrdinaryServiceNames(100000));
    Run("rows", 1000000, OrdinaryServiceNames(1000000));
    return 0;
}

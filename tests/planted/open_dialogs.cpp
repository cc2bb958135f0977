// Plays the user of Orvane.exe from another process: "open_dialogs PROGRAM.exe" starts it in its
// own folder, selects the first row, opens and cancels the Save, service groups, properties and
// About dialogs, and closes the window; exit code 0 when each dialog appeared and the program
// ended. "open_dialogs /load NAME..." loads each DLL by name, as a program that does not restrict
// its DLL search does.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

#include "res/resource.h"

namespace {

// found(), asked every tenth of a second for up to 30 seconds.
bool WaitFor(const std::function<bool()>& found) {
    for (int i = 0; i < 300 && !found(); ++i)
        Sleep(100);
    return found();
}

// The process's visible and enabled top-level window of that class, or null.
HWND TopLevel(DWORD process, const wchar_t* className) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && IsWindowEnabled(window))
            return window;
    }
    return nullptr;
}

HWND ListOf(HWND frame) {
    HWND list = nullptr;
    EnumChildWindows(
        frame,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[32] = L"";
            GetClassNameW(child, name, 32);
            if (lstrcmpW(name, WC_LISTVIEWW) == 0)
                *reinterpret_cast<HWND*>(found) = child;
            return lstrcmpW(name, WC_LISTVIEWW) != 0;
        },
        reinterpret_cast<LPARAM>(&list));
    return list;
}

bool OpenAndCancel(DWORD process, HWND frame, UINT command, const char* what) {
    PostMessageW(frame, WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    const bool opened = WaitFor([&] { return (dialog = TopLevel(process, L"#32770")) != nullptr; });
    if (opened)
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    const bool closed = opened && WaitFor([&] { return !IsWindow(dialog); });
    std::printf("the %s dialog: %s\n", what, closed ? "opened and closed" : "FAILED");
    return closed;
}

int DriveProgram(const std::wstring& program) {
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    STARTUPINFOW startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
        return 2;
    CloseHandle(info.hThread);
    const DWORD process = info.dwProcessId;
    HWND frame = nullptr;
    HWND list = nullptr;
    bool ok = WaitFor([&] { return (frame = TopLevel(process, L"OrvaneMainFrame")) != nullptr; }) &&
              WaitFor([&] {
                  return (list = ListOf(frame)) && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
              });
    if (ok) {
        PostMessageW(list, WM_KEYDOWN, VK_HOME, 0);  // selects the first row
        ok = WaitFor([&] { return SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1; }) &&
             OpenAndCancel(process, frame, ID_FILE_SAVE, "Save") &&
             OpenAndCancel(process, frame, ID_SERVICE_GROUP, "service groups") &&
             OpenAndCancel(process, frame, ID_SERVICE_PROPERTY, "properties") &&
             OpenAndCancel(process, frame, ID_APP_ABOUT, "About");
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }
    const bool ended = WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    return ok && ended ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2)
        return DriveProgram(argv[1]);
    int failed = 0;
    for (int i = 2; i < argc && lstrcmpW(argv[1], L"/load") == 0; ++i)
        failed += LoadLibraryW(argv[i]) ? 0 : 1;
    return argc > 2 ? failed : 2;
}

// Plays the user of a running Orvane.exe from another process:
//   open_dialogs PROGRAM.exe   starts it (in its own folder), selects the first row, opens and
//                              closes the Save, service groups, properties and About dialogs, and
//                              closes the window; exit code 0 when every dialog appeared and the
//                              program ended.
//   open_dialogs /load NAME... loads each DLL by name, as a program that does not restrict its DLL
//                              search would (the control of the planted-DLL test).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "res/resource.h"

namespace {

struct Search {
    DWORD process;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (process == search->process && IsWindowVisible(window) && IsWindowEnabled(window) &&
        (search->className ? lstrcmpW(name, search->className) == 0
                           : GetWindow(window, GW_OWNER) == nullptr)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindChild(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's visible, enabled top-level window of that class (null: its unowned main window),
// waited for up to 30 seconds.
HWND WaitForWindow(DWORD process, const wchar_t* className) {
    for (int i = 0; i < 300; ++i) {
        Search search = {process, className, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(100);
    }
    return nullptr;
}

bool WaitUntil(bool (*done)(HWND), HWND window) {
    for (int i = 0; i < 300; ++i) {
        if (done(window))
            return true;
        Sleep(100);
    }
    return false;
}

// Opens a dialog with the frame's command and closes it with Cancel.
bool OpenAndClose(DWORD process, HWND frame, UINT command, const char* what) {
    PostMessageW(frame, WM_COMMAND, command, 0);
    HWND dialog = WaitForWindow(process, L"#32770");
    if (!dialog) {
        std::printf("no %s dialog\n", what);
        return false;
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!WaitUntil([](HWND window) { return !IsWindow(window); }, dialog)) {
        std::printf("the %s dialog stays open\n", what);
        return false;
    }
    std::printf("opened and closed the %s dialog\n", what);
    return true;
}

int DriveProgram(const wchar_t* program) {
    std::wstring folder = program;
    folder.erase(folder.find_last_of(L"\\/") + 1);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        std::printf("cannot start the program: %lu\n", GetLastError());
        return 2;
    }
    CloseHandle(info.hThread);
    bool ok = false;
    if (HWND frame = WaitForWindow(info.dwProcessId, nullptr)) {
        Search list = {0, WC_LISTVIEWW, nullptr};
        EnumChildWindows(frame, FindChild, reinterpret_cast<LPARAM>(&list));
        ok = list.found &&
             WaitUntil([](HWND l) { return SendMessageW(l, LVM_GETITEMCOUNT, 0, 0) > 0; },
                       list.found);
        if (ok) {
            PostMessageW(list.found, WM_KEYDOWN, VK_HOME, 0);  // selects the first row
            ok = WaitUntil([](HWND l) { return SendMessageW(l, LVM_GETSELECTEDCOUNT, 0, 0) == 1; },
                           list.found);
        }
        if (!ok)
            std::printf("the list has no row to select\n");
        ok = ok && OpenAndClose(info.dwProcessId, frame, ID_FILE_SAVE, "Save") &&
             OpenAndClose(info.dwProcessId, frame, ID_SERVICE_GROUP, "service groups") &&
             OpenAndClose(info.dwProcessId, frame, ID_SERVICE_PROPERTY, "properties") &&
             OpenAndClose(info.dwProcessId, frame, ID_APP_ABOUT, "About");
        PostMessageW(frame, WM_CLOSE, 0, 0);
    } else {
        std::printf("no main window\n");
    }
    if (WaitForSingleObject(info.hProcess, 30000) != WAIT_OBJECT_0) {
        std::printf("the program does not end\n");
        TerminateProcess(info.hProcess, 1);
        ok = false;
    }
    CloseHandle(info.hProcess);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && lstrcmpW(argv[1], L"/load") == 0) {
        int failed = 0;
        for (int i = 2; i < argc; ++i)
            failed += LoadLibraryW(argv[i]) ? 0 : 1;
        return failed;
    }
    if (argc != 2) {
        std::printf("usage: open_dialogs PROGRAM.exe | /load NAME...\n");
        return 2;
    }
    return DriveProgram(argv[1]);
}

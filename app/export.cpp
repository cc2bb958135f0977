#include "app/export.h"

#include <windows.h>

#include "app/inventory_io.h"
#include "catalogue/service_list.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/wow64_probe.h"
#include "res/resource.h"
#include "window/resource_strings.h"

namespace {

bool IsValidHandle(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A program without a console of its own writes to an inherited standard error stream (a pipe or
// a file of the caller's), or else to the console of the process that started it, if any.
void WriteToStandardError(const std::string& text) {
    const std::wstring line = WideText(text) + L"\r\n";
    HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
    FileHandle console;
    if (!IsValidHandle(handle)) {
        if (!AttachConsole(ATTACH_PARENT_PROCESS))
            return;
        console.Reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
        if (!console)
            return;
        handle = console.Get();
    }
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // A pipe or a file gets UTF-8.
    const std::string utf8 = NarrowText(line);
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// The catalogue is silent about a service manager it cannot open (it is then empty); an export
// must not pass an empty list off as the machine's, so it asks the manager first.
uint32_t CheckServiceManager() {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    return manager ? 0 : GetLastError();
}

}  // namespace

bool IsExportCommand(const std::vector<std::wstring>& arguments) {
    return !arguments.empty() && (lstrcmpiW(arguments[0].c_str(), L"/export") == 0 ||
                                  lstrcmpiW(arguments[0].c_str(), L"-export") == 0);
}

int RunExportCommand(const std::vector<std::wstring>& arguments) {
    // The 32-bit build on 64-bit Windows would write the 32-bit copies' files and groups.
    if (RunsUnderWow64(ProbeWow64())) {
        WriteToStandardError(LoadResString(IDS_WOW64_REFUSED));
        return ERROR_EXE_MACHINE_TYPE_MISMATCH;
    }
    if (arguments.size() != 2 || arguments[1].empty()) {
        WriteToStandardError(LoadResString(IDS_INVENTORY_EXPORT_USAGE));
        return ERROR_INVALID_PARAMETER;
    }
    const std::wstring& path = arguments[1];
    uint32_t error = CheckServiceManager();
    if (error == 0) {
        Win32System system;
        CServiceList catalogue(system, system);
        catalogue.Reload();
        error = WriteInventoryFile(path, catalogue);
    }
    if (error != 0)
        WriteToStandardError(InventorySaveFailureText(path, error));
    return static_cast<int>(error);
}

// The program: the application object on the running system's service manager and registry, or,
// with "/export FILE.csv", the export of the catalogue without a window. A file name as the only
// argument is a saved inventory to open.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/export.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/win32_system.h"

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LocalMemory<LPWSTR> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(argv.Get()[i]);
    return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything loads a DLL: none is taken from the program's folder (or the current one).
    RestrictDllSearchToSystemFolder();
    const std::vector<std::wstring> arguments = Arguments();
    if (IsExportCommand(arguments))
        return RunExportCommand(arguments);
    Win32System system;
    theApp.SetPlatform(system, system);
    // Options of other tools are not files: only a plain name is opened.
    if (!arguments.empty() && !arguments[0].empty() && arguments[0][0] != L'/')
        theApp.SetStartupFile(arguments[0]);
    int code = 0;
    if (theApp.InitInstance())
        code = theApp.Run();
    theApp.ExitInstance();
    return code;
}

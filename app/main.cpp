// The program: the application object on the running system's service manager and registry, or,
// with "/export FILE.csv" and "/compare BASELINE.csv ...", the export and the comparison of
// inventories without a window. A file name as the only argument is a saved inventory to open;
// "/?" and whatever else is given are answered with the usage, without a window.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/compare.h"
#include "app/export.h"
#include "app/program_arguments.h"
#include "app/standard_streams.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_libraries.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

std::vector<std::wstring> Arguments() {
    int count = 0;
    LocalMemory<LPWSTR> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(argv.Get()[i]);
    return arguments;
}

// "/?": the usage on the standard output. Anything not understood: the argument and the usage on
// the standard error stream, and ERROR_INVALID_PARAMETER, as a script expects of a bad call.
int AnswerWithUsage(const ProgramArguments& arguments) {
    const std::string usage = LoadResString(IDS_USAGE);
    if (arguments.command == ProgramCommand::Help) {
        WriteToStandardOutput(usage);
        return 0;
    }
    if (arguments.unexpected.empty())
        WriteToStandardError(usage);
    else
        WriteToStandardError(
            FormatResString(IDS_UNKNOWN_ARGUMENT, {NarrowText(arguments.unexpected)}) + "\n" +
            usage);
    return ERROR_INVALID_PARAMETER;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything loads a DLL: none is taken from the program's folder (or the current one).
    RestrictDllSearchToSystemFolder();
    // The command line is answered first, also by the 32-bit build under WOW64: "/?" and a call
    // that is wrong anywhere touch no file or key of the system. The window and the commands that
    // read the live system refuse WOW64 themselves (COrvaneApp::InitInstance, RefuseUnderWow64).
    const ProgramArguments arguments = ParseProgramArguments(Arguments());
    if (arguments.command == ProgramCommand::Export)
        return RunExportCommand(arguments.files[0]);
    if (arguments.command == ProgramCommand::Compare)
        return RunCompareCommand(arguments);
    if (arguments.command != ProgramCommand::Window)
        return AnswerWithUsage(arguments);
    Win32System system;
    theApp.SetPlatform(system, system, system);
    if (!arguments.files.empty())
        theApp.SetStartupFile(arguments.files[0]);
    int code = 0;
    if (theApp.InitInstance())
        code = theApp.Run();
    theApp.ExitInstance();
    return code;
}

// A service that behaves as a test asks, chosen by the first argument of its image path:
//   run              runs until it is stopped
//   fail-win32 N     reports start-pending, then stops with Win32 exit code N
//   fail-specific N  reports start-pending, then stops with a service-specific exit code N
//   slow MS          start-pending for MS milliseconds, its check point advancing, then runs
//   ignore-stop      runs and ignores stop requests; control 200 ends it (and, should a test
//                    forget it, it ends itself after two minutes)
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kEndControl = 200;
constexpr DWORD kIgnoreStopLifetimeMs = 120000;

char* g_mode = const_cast<char*>("run");
DWORD g_number = 0;
SERVICE_STATUS_HANDLE g_handle = nullptr;
HANDLE g_stop = nullptr;
SERVICE_STATUS g_status = {};

void Report(DWORD state, DWORD checkPoint = 0, DWORD waitHint = 0) {
    g_status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    g_status.dwCurrentState = state;
    g_status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    g_status.dwCheckPoint = checkPoint;
    g_status.dwWaitHint = waitHint;
    SetServiceStatus(g_handle, &g_status);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
    const bool ignoring = std::strcmp(g_mode, "ignore-stop") == 0;
    if ((control == SERVICE_CONTROL_STOP && !ignoring) || control == kEndControl) {
        SetEvent(g_stop);
        return NO_ERROR;
    }
    if (control == SERVICE_CONTROL_INTERROGATE || control == SERVICE_CONTROL_STOP)
        return NO_ERROR;
    return ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, char**) {
    g_handle = RegisterServiceCtrlHandlerExA("", Handler, nullptr);
    if (!g_handle)
        return;
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (std::strncmp(g_mode, "fail-", 5) == 0) {
        Report(SERVICE_START_PENDING, 1, 3000);
        Sleep(500);
        const bool specific = std::strcmp(g_mode, "fail-specific") == 0;
        g_status.dwWin32ExitCode = specific ? ERROR_SERVICE_SPECIFIC_ERROR : g_number;
        g_status.dwServiceSpecificExitCode = specific ? g_number : 0;
        Report(SERVICE_STOPPED);
        return;
    }
    if (std::strcmp(g_mode, "slow") == 0) {
        for (DWORD waited = 0, checkPoint = 1; waited < g_number; waited += 250, ++checkPoint) {
            Report(SERVICE_START_PENDING, checkPoint, 2000);
            Sleep(250);
        }
    }
    Report(SERVICE_RUNNING);
    const bool ignoring = std::strcmp(g_mode, "ignore-stop") == 0;
    WaitForSingleObject(g_stop, ignoring ? kIgnoreStopLifetimeMs : INFINITE);
    Report(SERVICE_STOP_PENDING, 1, 1000);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        g_mode = argv[1];
    if (argc > 2)
        g_number = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
    char name[] = "";
    SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}

// Prints what comparing a fleet with its baseline costs: 100 machines of 1,000 services each (with
// their configuration) against a baseline, each machine a few changes, a removal and an addition
// away from it. The comparison is timed in this process, and as an administrator runs it: the
// program started as "Orvane.exe /compare BASELINE.csv FILE.csv ... /out REPORT.csv", from its
// start to its exit. Goal: under 2 s under Wine. Judges nothing.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/compare.h"
#include "bench/fake_services.h"
#include "bench/measure.h"
#include "inventory/inventory_csv.h"
#include "platform/win32/file_io.h"
#include "platform/win32/handles.h"
#include "tests/support/inventory_files.h"

namespace {

constexpr int kMachines = 100;
constexpr int kServices = 1000;

// One machine's file: the benchmark's services with an account and a dependency each; machine
// number m (0: the baseline) has three start types changed, one service gone and one of its own.
std::string MachineFile(int m) {
    FakeSystem fake;
    AddBenchmarkServices(fake, kServices);
    for (int i = 1; i < kServices; i += 3) {
        FakeService& service = *fake.Service("svc" + std::to_string(i));
        service.config.config = true;
        service.config.account = "NT AUTHORITY\\LocalService";
        service.config.dependOnService = {"RpcSs"};
    }
    if (m > 0) {
        for (int k = 0; k < 3; ++k)
            fake.SetDword(FakeSystem::ServiceKey("svc" + std::to_string((m * 9 + k * 3) % 999 + 1)),
                          "Start", 4);
        fake.DeleteService("drv" + std::to_string(m * 3));
        fake.AddService(kServiceTypeWin32, "own" + std::to_string(m), "C:\\own.exe");
    }
    return SavedInventoryOf(fake);
}

// Runs the command line, returns its exit code and how long it ran from start to exit.
DWORD RunProcess(std::wstring commandLine, double& ms) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const Clock::time_point began = Clock::now();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return GetLastError();
    KernelHandle thread(process.hThread);
    KernelHandle child(process.hProcess);
    WaitForSingleObject(child.Get(), INFINITE);
    ms = MillisecondsSince(began);
    DWORD code = 0;
    GetExitCodeProcess(child.Get(), &code);
    return code;
}

}  // namespace

int main() {
    const std::wstring folder = TempPath(L"orvane-compare-bench\\");
    CreateDirectoryW(folder.c_str(), nullptr);
    ProgramArguments arguments;
    arguments.command = ProgramCommand::Compare;
    for (int m = 0; m <= kMachines; ++m) {
        const std::wstring name = m == 0 ? L"GOLDEN-services-2024-01-01.csv"
                                         : L"PC" + std::to_wstring(m) + L"-services-2024-01-02.csv";
        ReplaceFileContent(folder + name, MachineFile(m));
        arguments.files.push_back(folder + name);
    }
    const std::wstring report = folder + L"report.csv";
    arguments.options.push_back({L"out", report});
    std::printf("%d machines of %d services against a baseline\n", kMachines, kServices);

    const Clock::time_point began = Clock::now();
    const int code = RunCompareCommand(arguments);
    const double inProcessMs = MillisecondsSince(began);
    FileBytes bytes;
    ReadWholeFile(report, 1u << 30, bytes);
    std::size_t rows = 0;
    for (std::size_t i = 0; i < bytes.size; ++i)
        rows += bytes.data[i] == '\n';
    std::printf("in this process: %8.1f ms (%.2f ms a machine), exit code %d, %zu report rows\n",
                inProcessMs, inProcessMs / kMachines, code, rows - 1);

    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring program(module);
    program = program.substr(0, program.find_last_of(L'\\'));
    program = program.substr(0, program.find_last_of(L'\\')) + L"\\Orvane.exe";
    std::wstring commandLine = L"\"" + program + L"\" /compare";
    for (const std::wstring& file : arguments.files)
        commandLine += L" \"" + file + L"\"";
    commandLine += L" /out \"" + report + L"\"";
    double processMs = 0;
    const DWORD processCode = RunProcess(commandLine, processMs);
    std::printf("as a process:    %8.1f ms from start to exit, exit code %lu\n", processMs,
                static_cast<unsigned long>(processCode));
    std::printf("goal: under 2,000 ms under Wine\n");

    for (const std::wstring& file : arguments.files)
        DeleteFileW(file.c_str());
    DeleteFileW(report.c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}

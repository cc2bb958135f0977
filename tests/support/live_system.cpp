// Child processes and the parsing of sc.exe and reg.exe output.
#include "tests/support/live_system.h"

#include "tests/support/wait.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/win32/handles.h"

int RunCommand(const std::string& commandLine, std::string& output) {
    output.clear();
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    KernelHandle readEnd;
    KernelHandle writeEnd;
    if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inherit, 0)) {
        return -1;
    }
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    // Our copy of the write end goes, so the read below ends when the child's does.
    writeEnd.Reset();
    if (!started) {
        return -1;
    }
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
        output.append(chunk, got);
    }
    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(processHandle.Get(), &code);
    return static_cast<int>(code);
}

bool CreateDemandService(const std::wstring& name, uint32_t type, const std::wstring& imagePath,
                         const DemandServiceSettings& settings) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
    const wchar_t* displayName = settings.displayName ? settings.displayName : name.c_str();
    ScHandle service;
    WaitUntil([&] {
        // The handle is only closed, so it asks for one right of the least.
        service.Reset(CreateServiceW(manager.Get(), name.c_str(), displayName, SERVICE_QUERY_STATUS,
                                     type, SERVICE_DEMAND_START, settings.errorControl,
                                     imagePath.c_str(), settings.group, nullptr,
                                     settings.dependencies, settings.account, settings.password));
        return service || GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE;
    });
    return bool(service);
}

void DeleteServiceNamed(const std::wstring& name) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(OpenServiceW(manager.Get(), name.c_str(), DELETE));
    if (service)
        DeleteService(service.Get());
}

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The number after "FIELD :" in sc's output, read as decimal (sc prints TYPE as hex digits).
bool ScField(const std::string& output, const char* field, int base, uint32_t& value) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && Trim(line.substr(0, colon)) == field) {
            value = static_cast<uint32_t>(std::strtoul(line.c_str() + colon + 1, nullptr, base));
            return true;
        }
    }
    return false;
}

const char kHklm[] = "HKEY_LOCAL_MACHINE\\";

}  // namespace

bool ScQuery(const std::string& serviceName, ScState& result) {
    // A service whose process is still winding down after a stop can fail a query for a moment:
    // ask again before taking the answer as final.
    std::string output;
    const bool answered = WaitUntil(
        [&] {
            RunCommand("sc.exe query \"" + serviceName + "\"", output);
            return ScField(output, "TYPE", 16, result.type) &&
                   ScField(output, "STATE", 10, result.state);
        },
        1000);
    if (!answered)
        std::fprintf(stderr, "sc query %s answered:\n%s\n", serviceName.c_str(), output.c_str());
    return answered;
}

bool ScReaches(const std::string& serviceName, uint32_t state) {
    return WaitUntil([&] {
        ScState sc;
        return ScQuery(serviceName, sc) && sc.state == state;
    });
}

bool RegQueryTree(const std::string& subKey, RegKeys& keys) {
    keys.clear();
    std::string output;
    if (RunCommand("reg.exe query \"HKLM\\" + subKey + "\" /s", output) != 0) {
        return false;
    }
    std::istringstream lines(output);
    std::string line;
    std::map<std::string, RegText>* current = nullptr;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.compare(0, sizeof kHklm - 1, kHklm) == 0) {
            current = &keys[line.substr(sizeof kHklm - 1)];
            continue;
        }
        // "    name    REG_TYPE    data": the name may hold spaces, the type never does.
        const auto typeAt = line.find("    REG_", 4);
        if (current == nullptr || line.compare(0, 4, "    ") != 0 || typeAt == std::string::npos) {
            continue;
        }
        const auto dataAt = line.find("    ", typeAt + 4);
        RegText value;
        value.type = line.substr(
            typeAt + 4, dataAt == std::string::npos ? std::string::npos : dataAt - typeAt - 4);
        value.data = dataAt == std::string::npos ? "" : line.substr(dataAt + 4);
        (*current)[line.substr(4, typeAt - 4)] = value;
    }
    return true;
}

bool RegSubkeys(const std::string& subKey, std::map<std::string, int>& names) {
    names.clear();
    std::string output;
    if (RunCommand("reg.exe query \"HKLM\\" + subKey + "\"", output) != 0) {
        return false;
    }
    const std::string prefix = kHklm + subKey + "\\";
    std::istringstream lines(output);
    std::string line;
    int order = 0;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (line.compare(0, prefix.size(), prefix) == 0) {
            names[line.substr(prefix.size())] = order++;
        }
    }
    return true;
}

// Reading the live system the way an administrator would: Wine's own sc.exe and reg.exe, run as
// child processes, their output parsed. The tests compare what the platform layer reports against
// these.
#pragma once

#include <cstdint>
#include <map>
#include <string>

// Runs a command line (no shell) and collects its standard output and error. Returns the exit code,
// or -1 when the process could not be started.
int RunCommand(const std::string& commandLine, std::string& output);

// What a test service is registered with beyond its name, type and image path, as CreateService
// takes it; each null is CreateService's own default.
struct DemandServiceSettings {
    const wchar_t* displayName = nullptr;  // null: the service's name
    const wchar_t* group = nullptr;
    // The services it depends on (a group after '+'), each ended by a NUL, then one more.
    const wchar_t* dependencies = nullptr;
    uint32_t errorControl = 1;         // SERVICE_ERROR_NORMAL
    const wchar_t* account = nullptr;  // null: LocalSystem
    const wchar_t* password = nullptr;
};

// Registers a demand-start service of the type (SERVICE_WIN32_OWN_PROCESS, SERVICE_KERNEL_DRIVER,
// ...) with Wine's running service manager, waiting out one of that name still on its way out.
// False when the manager refuses it.
bool CreateDemandService(const std::wstring& name, uint32_t type, const std::wstring& imagePath,
                         const DemandServiceSettings& settings = DemandServiceSettings());
// Deletes the service of that name, if there is one.
void DeleteServiceNamed(const std::wstring& name);

// `sc query NAME`: false when sc does not know the service.
struct ScState {
    uint32_t type = 0;
    uint32_t state = 0;
};
bool ScQuery(const std::string& serviceName, ScState& result);
// True once sc reports the service in that state (within the wait helper's bound).
bool ScReaches(const std::string& serviceName, uint32_t state);

// One value as `reg query` prints it: the type name and the data text.
struct RegText {
    std::string type;  // "REG_SZ", "REG_DWORD", ...
    std::string data;  // as printed; REG_DWORD as 0x...
};
// Every key of `reg query KEY /s`, by full path under HKEY_LOCAL_MACHINE ("SYSTEM\..."), each with
// its values by name. False when the key does not exist.
using RegKeys = std::map<std::string, std::map<std::string, RegText>>;
bool RegQueryTree(const std::string& subKey, RegKeys& keys);

// The subkey names directly below a key, in reg's order.
bool RegSubkeys(const std::string& subKey, std::map<std::string, int>& names);

// What the system needs of the service manager and the registry, behind small interfaces, one for
// each of their users: the Win32 implementation calls the real API, the fake keeps a service
// manager and a registry in memory for the tests, a saved inventory stands in for what the
// catalogue reads. Every text is 8-bit, in the program's code page (UTF-8).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/service_access.h"
#include "platform/service_status.h"
#include "platform/system_errors.h"

// Service types of the enumeration passes.
constexpr uint32_t kServiceTypeWin32 = 0x30;   // SERVICE_WIN32
constexpr uint32_t kServiceTypeDriver = 0x0B;  // SERVICE_DRIVER
// Flags of a per-user service (winnt.h): a template (SERVICE_USER_SERVICE), of which Windows makes
// an instance for each signed-in user, named "<template>_<LUID>" (SERVICE_USERSERVICE_INSTANCE).
constexpr uint32_t kServiceTypeUserService = 0x40;
constexpr uint32_t kServiceTypeUserServiceInstance = 0x80;

// One entry of the service manager's enumeration.
struct ServiceEntry {
    std::string serviceName;      // in the program's code page, for display and lookup
    std::u16string serviceNameW;  // as the manager holds it; what keys and services open by
    std::string displayName;
    bool hasDisplayName =
        true;  // false where the manager reports none (Wine, no DisplayName value)
    ServiceStatusFields status;
};

// An open service: the manager and the service, each with the rights its opening asked for, closed
// when it ends.
class ServiceSession {
public:
    virtual ~ServiceSession() = default;
    // Each returns 0 on success or the system's error code of the failing call (ERROR_ACCESS_DENIED
    // when the session was not opened with the right the call needs: service_access.h).
    virtual uint32_t QueryStatus(ServiceStatusFields& status) = 0;  // QueryServiceStatus
    virtual uint32_t Start() = 0;                                   // StartService, no arguments
    virtual uint32_t Stop() = 0;  // ControlService(SERVICE_CONTROL_STOP)
    // ChangeServiceConfig with the start type alone; every other field SERVICE_NO_CHANGE.
    virtual uint32_t ChangeStartType(uint32_t startType) = 0;
};

// How an enumeration pass ended: error 0, or the system's error code of the call that failed; when
// it was the manager's opening, nothing of the manager could be read at all.
struct EnumerationResult {
    uint32_t error = 0;
    bool managerUnavailable = false;
};

// --- The configuration query ------------------------------------------------------------------
// A service's configuration as the service manager answers it: QueryServiceConfigW, and
// QueryServiceConfig2W at two levels. Each part answers on its own (Wine's manager, for one, knows
// neither level): a part that was not answered is left for the registry to tell.
struct ServiceConfigAnswer {
    bool config = false;     // QueryServiceConfigW answered the fields up to the dependencies
    std::string binaryPath;  // lpBinaryPathName: the command line the manager starts
    std::string account;     // lpServiceStartName
    uint32_t errorControl = 0;
    std::vector<std::string> dependOnService;  // lpDependencies: the names of services
    std::vector<std::string> dependOnGroup;    // the groups (SC_GROUP_IDENTIFIER '+' taken off)
    bool delayedKnown = false;                 // SERVICE_CONFIG_DELAYED_AUTO_START_INFO answered
    bool delayed = false;
    bool triggersKnown = false;  // SERVICE_CONFIG_TRIGGER_INFO answered
    bool triggers = false;       // at least one trigger
};

// A pass of configuration queries over many services: the manager is opened once for it, with
// SC_MANAGER_CONNECT, and each service with SERVICE_QUERY_CONFIG, the rights reading takes.
class ServiceConfigQuery {
public:
    virtual ~ServiceConfigQuery() = default;
    // Returns 0 once the service is open, whichever parts then answer, or the error code of the
    // call that failed.
    virtual uint32_t Query(const std::u16string& serviceName, ServiceConfigAnswer& answer) = 0;
};

class ServiceManagerApi {
public:
    virtual ~ServiceManagerApi() = default;

    // The Windows directory (GetWindowsDirectoryW), empty text when it cannot be read.
    virtual std::string WindowsDirectory() = 0;

    // One enumeration pass: opens the manager for enumeration (kEnumerationAccess), enumerates
    // every service of the type in any state, closes the manager. The entries are in the manager's
    // enumeration order; a pass that fails leaves none.
    virtual EnumerationResult EnumerateServices(uint32_t serviceType,
                                                std::vector<ServiceEntry>& entries) = 0;

    // Opens the manager (kSessionManagerAccess) and the service by the manager's own name with the
    // service rights given (service_access.h: kStartAccess, kStopAccess, ...). Returns 0 and the
    // session, or the error code of the call that failed (and no session).
    virtual uint32_t OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                        std::unique_ptr<ServiceSession>& session) = 0;

    // Opens the manager for a pass of configuration queries. Returns 0 and the query, or the
    // error code of the call that failed (and no query).
    virtual uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) = 0;

    // --- The services that depend on a service (stopping it with its dependents) ---
    // The active services (running, paused or pending) that depend on the service, directly or
    // through others, as EnumDependentServicesW(SERVICE_ACTIVE) gives them: in the reverse of
    // their start order, so that each can be stopped before the services it depends on. The
    // manager is opened to connect (kSessionManagerAccess) and the service to enumerate its
    // dependents (kEnumerateDependentsAccess), nothing more. Returns 0 or the error code of the
    // call that failed; one that has no service manager behind it (a saved inventory) answers
    // ERROR_NOT_SUPPORTED.
    virtual uint32_t EnumerateActiveDependents(const std::u16string& serviceName,
                                               std::vector<ServiceEntry>& dependents) {
        (void)serviceName;
        dependents.clear();
        return kErrorNotSupported;
    }
};

// Registry value types.
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

// One value of a registry key, as enumerated.
struct RegistryValue {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;  // exactly the bytes the registry holds
};

// The key under which every service has its own subkey (under HKEY_LOCAL_MACHINE).
constexpr char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services";
constexpr char16_t kServicesKeyW[] = u"SYSTEM\\CurrentControlSet\\Services";

// A registry key open for reading; closed when the object goes.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // A key below this one, named in UTF-16 (a service's key by the manager's own name), open for
    // reading; null when it is missing or cannot be opened.
    virtual std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) = 0;

    // A value as SHGetValue reads it, at whatever size it has. The type is the stored one; a
    // REG_SZ or REG_EXPAND_SZ comes as text in the program's code page ending in one NUL (expanded
    // for REG_EXPAND_SZ, cut at its first NUL, terminated when it was stored without one); any
    // other type comes as stored. False when the value is missing or cannot be read.
    virtual bool GetValue(const char* valueName, RegistryValue& value) = 0;

    // Resolves an indirect string value ("@file,-id") with RegLoadMUIStringW into text in the
    // program's code page, whatever its length. False when it does not resolve.
    virtual bool LoadIndirectString(const char* valueName, std::string& text) = 0;

    // A REG_SZ or REG_EXPAND_SZ value exactly as stored: not expanded, cut at its first NUL, in
    // the program's code page. False when it is missing, of another type, or the key cannot tell
    // (a saved inventory holds no stored values).
    virtual bool GetStoredText(const char* /*valueName*/, std::string& /*text*/) { return false; }
};

// The registry as the catalogue reads it, under HKEY_LOCAL_MACHINE: the Services key is opened
// once for a pass, each service's key once below it, and the values are read from the open keys.
class ServiceRegistryApi {
public:
    virtual ~ServiceRegistryApi() = default;

    // The key of a path such as kServicesKeyW, open for reading; null when it is missing or
    // cannot be opened.
    virtual std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) = 0;
};

// The registry as the service groups dialog reads it: any key under HKEY_LOCAL_MACHINE, named by
// an 8-bit path ("SOFTWARE\Microsoft\..."), its values as the 8-bit calls give them (texts and
// multi-strings in the program's code page, every other type as stored).
class GroupRegistryApi {
public:
    virtual ~GroupRegistryApi() = default;

    // Reads a value at whatever size it has. False when the key or the value is missing.
    virtual bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) = 0;

    // Every value of the key in enumeration order, each at its real size. False when the key
    // cannot be opened; an enumeration error ends the list where it happens.
    virtual bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) = 0;
};

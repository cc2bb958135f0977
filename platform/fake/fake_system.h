// An in-memory service manager and registry for the tests and the benchmark: services with their
// states and injectable failures, and a registry with case-insensitive key and value names that
// answers like the Windows calls behind the registry interfaces.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/platform.h"
#include "platform/system_errors.h"

// Every right on a service (SERVICE_ALL_ACCESS) and on the manager (SC_MANAGER_ALL_ACCESS).
constexpr uint32_t kFakeAllServiceRights = 0xF01FF;
constexpr uint32_t kFakeAllManagerRights = 0xF003F;

// One service of the fake manager: its enumeration entry and what its control calls answer.
struct FakeService {
    uint32_t passType = kServiceTypeWin32;  // the enumeration pass that lists it
    ServiceEntry entry;
    uint32_t openError = 0;  // nonzero: OpenServiceSession fails with it
    uint32_t queryError = 0;
    uint32_t startError = 0;
    uint32_t stopError = 0;
    uint32_t changeError = 0;
    int startRequests = 0;  // Start and Stop calls made, failed ones included
    int stopRequests = 0;
    int changeRequests = 0;
    // The statuses an accepted start or stop leads through, one per status query; the last stays.
    // Empty: the service is running, or stopped, at once.
    std::vector<ServiceStatusFields> afterStart;
    std::vector<ServiceStatusFields> afterStop;
    std::deque<ServiceStatusFields> queued;  // what the next queries answer
    bool deleted = false;                    // DeleteService: gone for the manager

    // The rights its security descriptor grants the caller (service_access.h); every one unless a
    // test takes some away.
    uint32_t grantedAccess = kFakeAllServiceRights;
    // What a configuration query answers, unless configError (nonzero) refuses it. As made,
    // the manager answers no part, as Wine's manager answers neither level: the registry tells.
    // config.dependOnService is the manager's one record of the services this one depends on,
    // whether or not a query answers it (config.config): as on Windows, a stop is refused with
    // ERROR_DEPENDENT_SERVICES_RUNNING while an active service depends on this one, and the
    // active dependents are listed from it.
    ServiceConfigAnswer config;
    uint32_t configError = 0;
};

class FakeSystem : public ServiceManagerApi, public ServiceRegistryApi, public GroupRegistryApi {
public:
    // --- The service manager ---
    void SetWindowsDirectory(const std::string& directory) { windowsDirectory_ = directory; }
    // When set, the manager cannot be opened: enumeration and OpenServiceSession fail.
    void SetManagerFails(bool fails) { managerFails_ = fails; }
    // When set, the enumeration pass of that service type fails with the error given, once the
    // manager is open.
    void SetEnumerationFails(uint32_t serviceType, bool fails,
                             uint32_t error = kErrorNotEnoughMemory);

    // A service known to the manager only, without a registry key. The reference stays valid.
    FakeService& AddEntry(uint32_t passType, const std::string& name,
                          uint32_t currentState = kStateStopped);
    // A service with its key: "ImagePath" (REG_EXPAND_SZ) and "Start" (REG_DWORD).
    FakeService& AddService(uint32_t passType, const std::string& name,
                            const std::string& imagePath, uint32_t start = 3,
                            uint32_t currentState = kStateStopped);
    // The service of that name (case-insensitive), or null.
    FakeService* Service(const std::string& name);
    // The manager forgets the service and its key goes; sessions still open on it are refused.
    void DeleteService(const std::string& name);
    // Sessions from OpenServiceSession not yet released.
    int OpenSessions() const { return openSessions_; }

    static std::string ServiceKey(const std::string& name);
    static std::string ParametersKey(const std::string& name);

    // --- Access rights, as OpenSCManager and OpenService grant them: an open that asks for any
    // right not granted is refused whole with ERROR_ACCESS_DENIED, and a call that needs a right
    // its session was not opened with is refused the same way. Every open is recorded. ---
    struct AccessRequest {
        std::string service;  // empty for the manager
        uint32_t access = 0;
    };
    void SetManagerRights(uint32_t granted) { managerRights_ = granted; }
    const std::vector<AccessRequest>& AccessRequests() const { return accessRequests_; }
    void ClearAccessRequests() { accessRequests_.clear(); }

    // --- Enumeration in pages, as EnumServicesStatus hands them out (enum_pages.h): Windows fills
    // at most 256 KB of entries a call and advances the resume handle past them; Wine fills
    // nothing when the buffer is too small and asks for room for every entry. ---
    enum class Paging { Windows, Wine };
    void SetPaging(Paging paging) { paging_ = paging; }
    // EnumServicesStatus calls made so far.
    int EnumerationCalls() const { return enumerationCalls_; }

    // --- The registry ---
    // A key exists once it, or a key below it, has been created or written to.
    void CreateKey(const std::string& key);
    // Deletes the key and every key below it.
    void DeleteKey(const std::string& key);
    void DeleteValue(const std::string& key, const std::string& name);
    // Texts are stored with their NUL, as the registry keeps them.
    void SetString(const std::string& key, const std::string& name, const std::string& text,
                   uint32_t type = kRegSz);
    void SetDword(const std::string& key, const std::string& name, uint32_t value);
    // Any bytes of any type, stored exactly (a text without its NUL, for instance).
    void SetRaw(const std::string& key, const std::string& name, uint32_t type,
                const std::vector<uint8_t>& data);
    // A REG_MULTI_SZ as the registry stores it: UTF-16 names, each with its NUL, and one more.
    void SetMultiString(const std::string& key, const std::string& name,
                        const std::vector<std::string>& strings);
    // An indirect string ("@file,-id") that LoadIndirectString resolves to text.
    void SetIndirectString(const std::string& indirect, const std::string& text);
    // Keys opened through ServiceRegistryApi so far (keys that could not be opened not counted).
    int KeysOpened() const { return keysOpened_; }

    // --- ServiceManagerApi ---
    std::string WindowsDirectory() override { return windowsDirectory_; }
    EnumerationResult EnumerateServices(uint32_t serviceType,
                                        std::vector<ServiceEntry>& entries) override;
    uint32_t OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override;
    uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) override;
    // The dependents as EnumDependentServicesW(SERVICE_ACTIVE) lists them (fake_dependents.cpp):
    // refused as opening the service is; direct and indirect ones, each before the services it
    // depends on.
    uint32_t EnumerateActiveDependents(const std::u16string& serviceName,
                                       std::vector<ServiceEntry>& dependents) override;

    // --- ServiceRegistryApi: an open key reads what its path holds when it is read ---
    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override;

    // --- GroupRegistryApi ---
    bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) override;
    bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) override;

private:
    class Session;
    class ConfigQuery;
    class OpenedKey;
    struct Key {
        std::vector<RegistryValue> values;  // insertion order
    };

    // The service a session or a query opens by that name, or null (none, or deleted).
    FakeService* FindOpenable(const std::u16string& serviceName);
    // Records the open and tells whether the rights asked for are all granted.
    bool Grants(const std::string& service, uint32_t asked, uint32_t granted);
    // One EnumServicesStatus call over the listed services, as paging_ says.
    uint32_t EnumerationPage(const std::vector<const FakeService*>& listed, uint8_t* bytes,
                             uint32_t size, uint32_t& resume, uint32_t& bytesNeeded,
                             uint32_t& count);
    // What opening the manager (kSessionManagerAccess) and then the service by that name with
    // access answers: 0 and the service, or the error code. Both opens are recorded.
    uint32_t OpenService(const std::u16string& serviceName, uint32_t access, FakeService*& service);
    // Every service that depends on service, directly or through others, in stopping order.
    std::vector<const FakeService*> DependentsOf(const FakeService& service) const;
    bool HasActiveDependents(const FakeService& service) const;

    Key* FindKey(const std::string& key);
    Key& MakeKey(const std::string& key);  // with the keys above it
    std::unique_ptr<RegistryKey> OpenExisting(const std::string& key);
    // What RegistryKey::GetValue and LoadIndirectString of the key give.
    bool GetShellValue(const std::string& key, const char* valueName, RegistryValue& value);
    bool LoadIndirectString(const std::string& key, const char* valueName, std::string& text);
    RegistryValue* FindValue(const std::string& key, const std::string& name);
    RegistryValue& ValueForWrite(const std::string& key, const std::string& name);

    std::string windowsDirectory_ = "C:\\WINDOWS";
    bool managerFails_ = false;
    std::map<uint32_t, uint32_t> enumerationErrors_;
    std::deque<FakeService> services_;
    int openSessions_ = 0;
    std::unordered_map<std::string, Key> keys_;  // by folded path
    std::map<std::string, std::string> indirectStrings_;
    int keysOpened_ = 0;

    uint32_t managerRights_ = kFakeAllManagerRights;
    std::vector<AccessRequest> accessRequests_;
    Paging paging_ = Paging::Windows;
    int enumerationCalls_ = 0;
};

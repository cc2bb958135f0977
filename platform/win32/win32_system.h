// The service manager and the registry of the running system, behind the platform interfaces. Texts
// are UTF-8, converted from and to the UTF-16 calls whatever the process's code page; service names
// and the keys named after them stay UTF-16 as well, since a name may hold what UTF-8 cannot. Each
// operation opens its handles and closes them before it returns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/enum_pages.h"
#include "platform/platform.h"

#include <windows.h>

// Every service of the type, in any state, read from the manager's ENUM_SERVICE_STATUSW entries
// page by page (enum_pages.h). Returns 0 or the error code that ended the enumeration (and no
// entries).
uint32_t EnumerateEntries(SC_HANDLE manager, uint32_t serviceType,
                          std::vector<ServiceEntry>& entries);

// One entry of an enumeration as the portable code takes it: UTF-8 names for display beside the
// manager's own UTF-16 name.
ServiceEntry ToServiceEntry(const ENUM_SERVICE_STATUSW& source);

// The ENUM_SERVICE_STATUSW entries of a call shaped like EnumServicesStatusW (enum_pages.h), in
// order. Returns 0, or the error code that ended the enumeration (and no entries).
template <typename Call>
uint32_t EnumerateStatusEntries(Call&& call, std::vector<ServiceEntry>& entries) {
    entries.clear();
    auto take = [&](const uint8_t* bytes, uint32_t count) {
        const auto* first = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(bytes);
        for (uint32_t i = 0; i < count; ++i) {
            if (first[i].lpServiceName != nullptr) {
                entries.push_back(ToServiceEntry(first[i]));
            }
        }
    };
    const uint32_t error = EnumerateInPages(call, take);
    if (error != 0) {
        entries.clear();
    }
    return error;
}

class Win32System : public ServiceManagerApi, public ServiceRegistryApi, public GroupRegistryApi {
public:
    // ServiceManagerApi
    std::string WindowsDirectory() override;
    EnumerationResult EnumerateServices(uint32_t serviceType,
                                        std::vector<ServiceEntry>& entries) override;
    uint32_t OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override;
    uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) override;
    // EnumDependentServicesW (win32_dependents.cpp)
    uint32_t EnumerateActiveDependents(const std::u16string& serviceName,
                                       std::vector<ServiceEntry>& dependents) override;

    // ServiceRegistryApi, under HKEY_LOCAL_MACHINE: keys opened for querying values only.
    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override;

    // GroupRegistryApi, under HKEY_LOCAL_MACHINE
    bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) override;
    bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) override;
};

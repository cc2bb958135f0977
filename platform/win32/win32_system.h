// The service manager and the registry of the running system, behind the platform interfaces. Every
// text goes through the 8-bit "A" calls, which speak UTF-8 because the program's manifest sets that
// code page. Each operation opens its handles and closes them before it returns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/enum_buffer.h"

#include <windows.h>

// Every service of the type, in any state, as the manager's ENUM_SERVICE_STATUSA entries (the
// buffer grows until they all fit). Returns 0 or the error code that ended the enumeration.
uint32_t EnumerateIntoBuffer(SC_HANDLE manager, uint32_t serviceType, EnumBuffer& buffer);

class Win32System : public ServiceManagerApi, public RegistryApi {
public:
    // ServiceManagerApi
    std::string WindowsDirectory() override;
    bool EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) override;
    uint32_t OpenServiceSession(const char* serviceName,
                                std::unique_ptr<ServiceSession>& session) override;

    // RegistryApi, always under HKEY_LOCAL_MACHINE
    bool GetValue(const char* subKey, const char* valueName, void* dest, uint32_t size) override;
    bool LoadIndirectString(const char* subKey, const char* valueName, char* dest,
                            uint32_t size) override;
    bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) override;
    bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) override;
    uint32_t SetDwordValue(const char* subKey, const char* valueName, uint32_t value) override;
};

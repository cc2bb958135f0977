// The services that depend on a service, as the manager lists them. Apart from the service
// sessions: listing needs only the right to enumerate a service's dependents.
#include <windows.h>

#include "platform/win32/enum_buffer.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

uint32_t Win32System::EnumerateActiveDependents(const std::u16string& serviceName,
                                                std::vector<ServiceEntry>& dependents) {
    dependents.clear();
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) {
        return GetLastError();
    }
    ScHandle service(OpenServiceW(manager.Get(),
                                  reinterpret_cast<const wchar_t*>(serviceName.c_str()),
                                  SERVICE_ENUMERATE_DEPENDENTS));
    if (!service) {
        return GetLastError();
    }
    // The manager answers as it does to an enumeration of every service: a buffer too small is
    // refused with ERROR_MORE_DATA and the bytes it needs.
    auto call = [&](uint8_t* bytes, uint32_t size, uint32_t& bytesNeeded, uint32_t& count) {
        DWORD needed = 0;
        DWORD returned = 0;
        const BOOL ok = EnumDependentServicesW(service.Get(), SERVICE_ACTIVE,
                                               reinterpret_cast<ENUM_SERVICE_STATUSW*>(bytes), size,
                                               &needed, &returned);
        const uint32_t error = ok ? 0 : GetLastError();
        bytesNeeded = needed;
        count = returned;
        return error;
    };
    EnumBuffer buffer;
    const uint32_t error = EnumerateGrowing(call, buffer);
    if (error != 0) {
        return error;
    }
    const auto* first = reinterpret_cast<const ENUM_SERVICE_STATUSW*>(buffer.bytes.get());
    for (uint32_t i = 0; i < buffer.count; ++i) {
        if (first[i].lpServiceName != nullptr) {
            dependents.push_back(ToServiceEntry(first[i]));
        }
    }
    return 0;
}

// The services that depend on a service, as the manager lists them. Apart from the service
// sessions: listing needs only the right to enumerate a service's dependents.
#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

uint32_t Win32System::EnumerateActiveDependents(const std::u16string& serviceName,
                                                std::vector<ServiceEntry>& dependents) {
    dependents.clear();
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, kSessionManagerAccess));
    if (!manager) {
        return GetLastError();
    }
    ScHandle service(
        OpenServiceW(manager.Get(), WideChars(serviceName), kEnumerateDependentsAccess));
    if (!service) {
        return GetLastError();
    }
    // One call lists them all (at most 64,000 bytes): it has no resume handle, so a buffer that
    // is too small grows by the bytes asked for and the call is made again.
    auto call = [&](uint8_t* bytes, uint32_t size, uint32_t&, uint32_t& bytesNeeded,
                    uint32_t& count) {
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
    return EnumerateStatusEntries(call, dependents);
}

// The service-manager half of Win32System: the Windows directory, the enumeration passes and open
// service sessions. The manager is asked with the UTF-16 calls, so a name UTF-8 cannot hold
// (a lone surrogate) still opens its own service.
#include <windows.h>

#include "platform/enum_pages.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

namespace {

ServiceStatusFields StatusFields(const SERVICE_STATUS& s) {
    return {s.dwServiceType,
            s.dwCurrentState,
            s.dwControlsAccepted,
            s.dwWin32ExitCode,
            s.dwServiceSpecificExitCode,
            s.dwCheckPoint,
            s.dwWaitHint};
}

// The manager and one of its services, each opened with the rights the operation asks for.
class Win32ServiceSession : public ServiceSession {
public:
    // The error code is taken before anything is closed, so it is the failing call's own.
    uint32_t Open(const std::u16string& serviceName, uint32_t access) {
        manager_.Reset(OpenSCManagerW(nullptr, nullptr, kSessionManagerAccess));
        if (!manager_) {
            return GetLastError();
        }
        service_.Reset(OpenServiceW(manager_.Get(), WideChars(serviceName), access));
        return service_ ? 0 : GetLastError();
    }

    uint32_t QueryStatus(ServiceStatusFields& status) override {
        SERVICE_STATUS system = {};
        if (!QueryServiceStatus(service_.Get(), &system)) {
            return GetLastError();
        }
        status = StatusFields(system);
        return 0;
    }
    uint32_t Start() override {
        return StartServiceW(service_.Get(), 0, nullptr) ? 0 : GetLastError();
    }
    uint32_t Stop() override {
        SERVICE_STATUS status = {};
        return ControlService(service_.Get(), SERVICE_CONTROL_STOP, &status) ? 0 : GetLastError();
    }
    uint32_t ChangeStartType(uint32_t startType) override {
        return ChangeServiceConfigW(service_.Get(), SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr)
                   ? 0
                   : GetLastError();
    }

private:
    // Members close in reverse order: the service before its manager.
    ScHandle manager_;
    ScHandle service_;
};

}  // namespace

ServiceEntry ToServiceEntry(const ENUM_SERVICE_STATUSW& source) {
    ServiceEntry entry;
    // A name UTF-8 cannot hold (a lone surrogate) comes out with a replacement character; the
    // record keeps the UTF-16 original.
    entry.serviceName = NarrowText(source.lpServiceName);
    entry.serviceNameW = reinterpret_cast<const char16_t*>(source.lpServiceName);
    entry.hasDisplayName = source.lpDisplayName != nullptr;
    if (entry.hasDisplayName) {
        entry.displayName = NarrowText(source.lpDisplayName);
    }
    entry.status = StatusFields(source.ServiceStatus);
    return entry;
}

uint32_t EnumerateEntries(SC_HANDLE manager, uint32_t serviceType,
                          std::vector<ServiceEntry>& entries) {
    auto call = [&](uint8_t* bytes, uint32_t size, uint32_t& resume, uint32_t& bytesNeeded,
                    uint32_t& count) {
        DWORD needed = 0;
        DWORD returned = 0;
        DWORD handle = resume;
        const BOOL ok = EnumServicesStatusW(manager, serviceType, SERVICE_STATE_ALL,
                                            reinterpret_cast<ENUM_SERVICE_STATUSW*>(bytes), size,
                                            &needed, &returned, &handle);
        const uint32_t error = ok ? 0 : GetLastError();
        bytesNeeded = needed;
        count = returned;
        resume = handle;
        return error;
    };
    return EnumerateStatusEntries(call, entries);
}

std::string Win32System::WindowsDirectory() {
    // A call that fails or finds the buffer too small leaves the empty text in place.
    wchar_t directory[MAX_PATH] = L"";
    GetWindowsDirectoryW(directory, MAX_PATH);
    return NarrowText(directory);
}

EnumerationResult Win32System::EnumerateServices(uint32_t serviceType,
                                                 std::vector<ServiceEntry>& entries) {
    entries.clear();
    EnumerationResult result;
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, kEnumerationAccess));
    if (!manager) {
        result.error = GetLastError();
        result.managerUnavailable = true;
        return result;
    }
    result.error = EnumerateEntries(manager.Get(), serviceType, entries);
    return result;
}

uint32_t Win32System::OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                         std::unique_ptr<ServiceSession>& session) {
    session.reset();
    std::unique_ptr<Win32ServiceSession> opened(new (std::nothrow) Win32ServiceSession);
    if (!opened) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    const uint32_t error = opened->Open(serviceName, access);
    if (error == 0) {
        session = std::move(opened);
    }
    return error;
}

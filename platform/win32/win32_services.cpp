// The service-manager half of Win32System: the Windows directory, the enumeration passes and open
// service sessions.
#include <windows.h>

#include "platform/win32/enum_buffer.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"

namespace {

// The manager and one of its services, both with full access.
class Win32ServiceSession : public ServiceSession {
public:
    // The error code is taken before anything is closed, so it is the failing call's own.
    uint32_t Open(const char* serviceName) {
        manager_.Reset(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (!manager_) {
            return GetLastError();
        }
        service_.Reset(OpenServiceA(manager_.Get(), serviceName, SERVICE_ALL_ACCESS));
        return service_ ? 0 : GetLastError();
    }

    uint32_t QueryState(uint32_t& currentState) override {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(service_.Get(), &status)) {
            return GetLastError();
        }
        currentState = status.dwCurrentState;
        return 0;
    }
    uint32_t Start() override {
        return StartServiceA(service_.Get(), 0, nullptr) ? 0 : GetLastError();
    }
    uint32_t Stop() override {
        SERVICE_STATUS status = {};
        return ControlService(service_.Get(), SERVICE_CONTROL_STOP, &status) ? 0 : GetLastError();
    }

private:
    // Members close in reverse order: the service before its manager.
    ScHandle manager_;
    ScHandle service_;
};

ServiceEntry ToEntry(const ENUM_SERVICE_STATUSA& source) {
    ServiceEntry entry;
    entry.serviceName = source.lpServiceName;
    entry.hasDisplayName = source.lpDisplayName != nullptr;
    if (entry.hasDisplayName) {
        entry.displayName = source.lpDisplayName;
    }
    const SERVICE_STATUS& s = source.ServiceStatus;
    entry.status = {s.dwServiceType,
                    s.dwCurrentState,
                    s.dwControlsAccepted,
                    s.dwWin32ExitCode,
                    s.dwServiceSpecificExitCode,
                    s.dwCheckPoint,
                    s.dwWaitHint};
    return entry;
}

}  // namespace

uint32_t EnumerateIntoBuffer(SC_HANDLE manager, uint32_t serviceType, EnumBuffer& buffer) {
    auto call = [&](uint8_t* bytes, uint32_t size, uint32_t& bytesNeeded, uint32_t& count) {
        DWORD needed = 0;
        DWORD returned = 0;
        DWORD resume = 0;
        const BOOL ok = EnumServicesStatusA(manager, serviceType, SERVICE_STATE_ALL,
                                            reinterpret_cast<ENUM_SERVICE_STATUSA*>(bytes), size,
                                            &needed, &returned, &resume);
        const uint32_t error = ok ? 0 : GetLastError();
        bytesNeeded = needed;
        count = returned;
        return error;
    };
    return EnumerateGrowing(call, buffer);
}

std::string Win32System::WindowsDirectory() {
    // A call that fails or finds the buffer too small leaves the empty text in place.
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, MAX_PATH);
    return directory;
}

bool Win32System::EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) {
    entries.clear();
    ScHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        return false;
    }
    EnumBuffer buffer;
    if (EnumerateIntoBuffer(manager.Get(), serviceType, buffer) != 0) {
        return false;
    }
    const auto* first = reinterpret_cast<const ENUM_SERVICE_STATUSA*>(buffer.bytes.get());
    for (uint32_t i = 0; i < buffer.count; ++i) {
        if (first[i].lpServiceName != nullptr) {
            entries.push_back(ToEntry(first[i]));
        }
    }
    return true;
}

uint32_t Win32System::OpenServiceSession(const char* serviceName,
                                         std::unique_ptr<ServiceSession>& session) {
    session.reset();
    std::unique_ptr<Win32ServiceSession> opened(new (std::nothrow) Win32ServiceSession);
    if (!opened) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    const uint32_t error = opened->Open(serviceName);
    if (error == 0) {
        session = std::move(opened);
    }
    return error;
}

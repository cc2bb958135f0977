#include "test_services.h"

#include "platform/win32/handles.h"

namespace {

constexpr DWORD kEndControl = 200;

std::wstring ServiceKey(const std::wstring& name) {
    return L"SYSTEM\\CurrentControlSet\\Services\\" + name;
}

std::wstring ImagePath(const std::string& arguments) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module);
    folder.resize(folder.find_last_of(L'\\'));
    return L"\"" + folder + L"\\orvane_test_service.exe\" " +
           std::wstring(arguments.begin(), arguments.end());
}

}  // namespace

bool RegisterTestService(const std::wstring& name, const std::string& arguments) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    const std::wstring path = ImagePath(arguments);
    // A service removed a moment ago may still be on its way out.
    for (int attempt = 0; manager && attempt < 50; ++attempt) {
        ScHandle service(CreateServiceW(manager.Get(), name.c_str(), name.c_str(),
                                        SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                        SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, path.c_str(),
                                        nullptr, nullptr, nullptr, nullptr, nullptr));
        if (service)
            return true;
        if (GetLastError() == ERROR_SERVICE_EXISTS) {
            service.Reset(OpenServiceW(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS));
            return service &&
                   ChangeServiceConfigW(service.Get(), SERVICE_WIN32_OWN_PROCESS,
                                        SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, path.c_str(),
                                        nullptr, nullptr, nullptr, nullptr, nullptr, name.c_str());
        }
        if (GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE)
            return false;
        Sleep(100);
    }
    return false;
}

void RemoveTestService(const std::wstring& name) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    ScHandle service(manager ? OpenServiceW(manager.Get(), name.c_str(), SERVICE_ALL_ACCESS)
                             : nullptr);
    if (!service)
        return;
    SERVICE_STATUS status = {};
    if (QueryServiceStatus(service.Get(), &status) && status.dwCurrentState != SERVICE_STOPPED) {
        ControlService(service.Get(), kEndControl, &status);
        TestServiceReaches(name, SERVICE_STOPPED);
    }
    DeleteService(service.Get());
}

bool QueryTestService(const std::wstring& name, SERVICE_STATUS& status) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(manager ? OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS)
                             : nullptr);
    return service && QueryServiceStatus(service.Get(), &status);
}

bool TestServiceReaches(const std::wstring& name, DWORD state) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        SERVICE_STATUS status = {};
        if (QueryTestService(name, status) && status.dwCurrentState == state)
            return true;
        Sleep(100);
    }
    return false;
}

bool SetTestServiceValue(const std::wstring& name, const wchar_t* value, DWORD type,
                         const void* data, DWORD size) {
    RegKey key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServiceKey(name).c_str(), 0, KEY_SET_VALUE,
                         key.Receive()) == ERROR_SUCCESS &&
           RegSetValueExW(key.Get(), value, 0, type, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
}

bool GetTestServiceValue(const std::wstring& name, const wchar_t* value, DWORD& type,
                         std::wstring& text, DWORD& number) {
    RegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServiceKey(name).c_str(), 0, KEY_QUERY_VALUE,
                      key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    BYTE data[4096] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    if (RegQueryValueExW(key.Get(), value, nullptr, &type, data, &size) != ERROR_SUCCESS)
        return false;
    text = reinterpret_cast<const wchar_t*>(data);
    number = 0;
    if (size >= sizeof number)
        memcpy(&number, data, sizeof number);
    return true;
}

// The configuration columns of a live save against what Wine reports, read by the test itself:
// QueryServiceConfigW for what the manager answers, reg.exe for what only the registry holds, for
// every service and for one registered with a configuration of every kind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "app/live_configuration.h"
#include "inventory/inventory_csv.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "tests/support/live_system.h"

namespace {

const wchar_t kName[] = L"OrvaneConfigured";
const wchar_t kFolder[] = L"C:\\Orvane Config Test";
const wchar_t kFile[] = L"C:\\Orvane Config Test\\svc.exe";
const char kStored[] = "C:\\Orvane Config Test\\svc.exe -x";
const char kAbcDigest[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

// A service with an unquoted path with a space in its folder, a log-on account, a severe error
// control, a service and a group it depends on, a delayed start and a trigger (the last two
// written to its key: Wine's manager has no call for them). Its file holds "abc".
class ConfiguredService {
public:
    ConfiguredService() {
        CreateDirectoryW(kFolder, nullptr);
        FileHandle file(CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), "abc", 3, &written, nullptr);
        ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        const std::wstring path = WideText(kStored);
        ScHandle service(CreateServiceW(manager.Get(), kName, kName, SERVICE_ALL_ACCESS,
                                        SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                        SERVICE_ERROR_SEVERE, path.c_str(), nullptr, nullptr,
                                        L"RpcSs\0+TDI\0", L"NT AUTHORITY\\LocalService", L""));
        registered_ = bool(service);
        const std::wstring key = std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + kName;
        RegKey trigger;
        const DWORD delayed = 1;
        registered_ =
            registered_ &&
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DelayedAutostart", REG_DWORD,
                            &delayed, sizeof delayed) == ERROR_SUCCESS &&
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, (key + L"\\TriggerInfo\\0").c_str(), 0, nullptr, 0,
                            KEY_WRITE, nullptr, trigger.Receive(), nullptr) == ERROR_SUCCESS;
    }
    ~ConfiguredService() {
        ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ScHandle service(OpenServiceW(manager.Get(), kName, SERVICE_ALL_ACCESS));
        if (service)
            DeleteService(service.Get());
        RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                       (std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + kName).c_str());
        DeleteFileW(kFile);
        RemoveDirectoryW(kFolder);
    }
    bool Registered() const { return registered_; }

private:
    bool registered_ = false;
};

// What the manager answers, as the columns write it, asked by the test itself.
struct ManagerAnswer {
    std::string account, errorControl, services, groups;
    std::string delayed, triggers;  // empty where QueryServiceConfig2W does not answer
};

bool AskManager(const std::string& name, ManagerAnswer& answer) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(OpenServiceW(manager.Get(), WideText(name).c_str(), SERVICE_QUERY_CONFIG));
    std::vector<BYTE> buffer(8192);
    DWORD needed = 0;
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!service || !QueryServiceConfigW(service.Get(), config, 8192, &needed))
        return false;
    answer.account = NarrowText(config->lpServiceStartName ? config->lpServiceStartName : L"");
    answer.errorControl = std::to_string(config->dwErrorControl);
    for (const wchar_t* d = config->lpDependencies; d && *d; d += wcslen(d) + 1) {
        std::string& list = *d == SC_GROUP_IDENTIFIERW ? answer.groups : answer.services;
        list += (list.empty() ? "" : "/") + NarrowText(d + (*d == SC_GROUP_IDENTIFIERW));
    }
    if (QueryServiceConfig2W(service.Get(), SERVICE_CONFIG_DELAYED_AUTO_START_INFO, buffer.data(),
                             8192, &needed))
        answer.delayed =
            reinterpret_cast<SERVICE_DELAYED_AUTO_START_INFO*>(buffer.data())->fDelayedAutostart
                ? "1"
                : "0";
    if (QueryServiceConfig2W(service.Get(), 8 /* SERVICE_CONFIG_TRIGGER_INFO */, buffer.data(),
                             8192, &needed))
        answer.triggers = *reinterpret_cast<DWORD*>(buffer.data()) ? "1" : "0";
    return true;
}

// A REG_MULTI_SZ as reg.exe prints it ("a\0b") in the columns' form ("a/b").
std::string RegList(const std::map<std::string, RegText>& values, const char* name) {
    const auto found = values.find(name);
    std::string list = found == values.end() ? "" : found->second.data;
    for (std::string::size_type at = list.find("\\0"); at != std::string::npos;
         at = list.find("\\0", at))
        list.replace(at, 2, "/");
    return list;
}

TEST(ConfigurationLive, EveryColumnAgreesWithWineManagerAndReg) {
    ConfiguredService configured;
    ASSERT_TRUE(configured.Registered());
    Win32System system;
    CServiceList catalogue(system, system);
    catalogue.Reload();
    LiveConfiguration live(system, system);
    std::vector<InventoryRecord> records;
    InventoryRecordsOf(catalogue, live, records);
    RegKeys keys;
    ASSERT_TRUE(RegQueryTree(kServicesKey, keys));

    int checked = 0;
    for (const InventoryRecord& record : records) {
        const std::string name = record.Text(kInvServiceName);
        SCOPED_TRACE(name);
        const std::string keyName = std::string(kServicesKey) + "\\" + name;
        const auto key = keys.find(keyName);
        ASSERT_NE(key, keys.end());
        // Wine's manager answers the account and the error control; it gives no dependencies
        // (lpDependencies is always empty) and answers neither level of QueryServiceConfig2W, so
        // those come from the key there, as does the image path as stored everywhere.
        ManagerAnswer manager;
        ASSERT_TRUE(AskManager(name, manager));
        EXPECT_EQ(record.Text(kInvObjectName), manager.account);
        EXPECT_EQ(record.Text(kInvErrorControl), manager.errorControl);
        const bool listed = !manager.services.empty() || !manager.groups.empty();
        EXPECT_EQ(record.Text(kInvDependOnService),
                  listed ? manager.services : RegList(key->second, "DependOnService"));
        EXPECT_EQ(record.Text(kInvDependOnGroup),
                  listed ? manager.groups : RegList(key->second, "DependOnGroup"));
        const auto delayed = key->second.find("DelayedAutostart");
        const bool delayedInKey = delayed != key->second.end() && delayed->second.data != "0x0";
        EXPECT_EQ(record.Text(kInvDelayedAutoStart),
                  manager.delayed.empty() ? (delayedInKey ? "1" : "0") : manager.delayed);
        const bool triggerInKey = keys.count(keyName + "\\TriggerInfo\\0") != 0;
        EXPECT_EQ(record.Text(kInvTriggerStart),
                  manager.triggers.empty() ? (triggerInKey ? "1" : "0") : manager.triggers);
        EXPECT_EQ(record.Text(kInvStoredImagePath), key->second["ImagePath"].data);
        EXPECT_EQ(record.Text(kInvSha256).size(), record.Text(kInvSha256).empty() ? 0u : 64u);
        ++checked;
    }
    EXPECT_GT(checked, 10);

    const InventoryRecord* mine = nullptr;
    const InventoryRecord* spooler = nullptr;
    for (const InventoryRecord& record : records) {
        if (record.Text(kInvServiceName) == "OrvaneConfigured")
            mine = &record;
        if (record.Text(kInvServiceName) == "Spooler")
            spooler = &record;
    }
    ASSERT_TRUE(mine && spooler);
    // What this Wine's manager answers of the configured service, for the record.
    ManagerAnswer measured;
    ASSERT_TRUE(AskManager("OrvaneConfigured", measured));
    std::printf("[ measured ] manager: dependencies \"%s\" \"%s\", delayed start %s, triggers %s\n",
                measured.services.c_str(), measured.groups.c_str(),
                measured.delayed.empty() ? "not answered" : measured.delayed.c_str(),
                measured.triggers.empty() ? "not answered" : measured.triggers.c_str());
    EXPECT_EQ(mine->Text(kInvObjectName), "NT AUTHORITY\\LocalService");
    EXPECT_EQ(mine->Text(kInvErrorControl), "2");
    EXPECT_EQ(mine->Text(kInvDependOnService), "RpcSs");
    EXPECT_EQ(mine->Text(kInvDependOnGroup), "TDI");
    EXPECT_EQ(mine->Text(kInvDelayedAutoStart) + mine->Text(kInvTriggerStart), "11");
    EXPECT_EQ(mine->Text(kInvStoredImagePath), kStored);
    EXPECT_EQ(mine->Text(kInvSha256), kAbcDigest);
    EXPECT_EQ(mine->Text(kInvUnquotedPath), "1");  // "C:\Orvane.exe" would run first
    EXPECT_EQ(spooler->Text(kInvUnquotedPath), "0");
    EXPECT_EQ(spooler->Text(kInvSha256).size(), 64u);
}

}  // namespace

// The configuration columns of a live save against what Wine reports, read by the test itself:
// QueryServiceConfigW for what its manager answers, reg.exe for what only the registry holds
// there, for every service and for one registered with a configuration of every kind.
#include <windows.h>

#include <gtest/gtest.h>

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
const std::wstring kKey = std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + kName;
const wchar_t kFolder[] = L"C:\\Orvane Config Test";
const wchar_t kFile[] = L"C:\\Orvane Config Test\\svc.exe";
const char kStored[] = "C:\\Orvane Config Test\\svc.exe -x";

// A service with an unquoted path with a space in its folder, an account, a severe error control,
// a service and a group it depends on, a delayed start and a trigger (the last two written to its
// key: Wine's manager has no call for them). Its file holds "abc".
class ConfiguredService {
public:
    ConfiguredService() {
        CreateDirectoryW(kFolder, nullptr);
        FileHandle file(CreateFileW(kFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), "abc", 3, &written, nullptr);
        DemandServiceSettings settings;
        settings.errorControl = SERVICE_ERROR_SEVERE;
        settings.dependencies = L"RpcSs\0+TDI\0";
        settings.account = L"NT AUTHORITY\\LocalService";
        settings.password = L"";
        const DWORD delayed = 1;
        RegKey trigger;
        registered_ =
            CreateDemandService(kName, SERVICE_WIN32_OWN_PROCESS, WideText(kStored), settings) &&
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey.c_str(), L"DelayedAutostart", REG_DWORD,
                            &delayed, sizeof delayed) == ERROR_SUCCESS &&
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kKey + L"\\TriggerInfo\\0").c_str(), 0, nullptr, 0,
                            KEY_WRITE, nullptr, trigger.Receive(), nullptr) == ERROR_SUCCESS;
    }
    ~ConfiguredService() {
        DeleteServiceNamed(kName);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey.c_str());
        DeleteFileW(kFile);
        RemoveDirectoryW(kFolder);
    }
    bool registered_ = false;
};

// QueryServiceConfigW of the service, asked by the test; null when it does not answer.
const QUERY_SERVICE_CONFIGW* AskManager(const std::string& name, std::vector<BYTE>& buffer,
                                        bool& levelsAnswered) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(OpenServiceW(manager.Get(), WideText(name).c_str(), SERVICE_QUERY_CONFIG));
    buffer.assign(8192, 0);
    DWORD needed = 0;
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
    if (!service || !QueryServiceConfigW(service.Get(), config, 8192, &needed))
        return nullptr;
    std::vector<BYTE> level(8192);
    levelsAnswered = QueryServiceConfig2W(service.Get(), SERVICE_CONFIG_DELAYED_AUTO_START_INFO,
                                          level.data(), 8192, &needed) ||
                     QueryServiceConfig2W(service.Get(), 8 /* SERVICE_CONFIG_TRIGGER_INFO */,
                                          level.data(), 8192, &needed);
    return config;
}

TEST(ConfigurationLive, EveryColumnAgreesWithWineManagerAndReg) {
    ConfiguredService configured;
    ASSERT_TRUE(configured.registered_);
    Win32System system;
    CServiceList catalogue(system, system);
    catalogue.Reload();
    LiveConfiguration live(system, system);
    std::vector<InventoryRecord> records;
    InventoryRecordsOf(catalogue, live, records);
    RegKeys keys;
    ASSERT_TRUE(RegQueryTree(kServicesKey, keys));

    const InventoryRecord* mine = nullptr;
    for (const InventoryRecord& record : records) {
        const std::string name = record.Text(kInvServiceName);
        SCOPED_TRACE(name);
        mine = name == "OrvaneConfigured" ? &record : mine;
        const std::string keyName = std::string(kServicesKey) + "\\" + name;
        // Wine's running device hosts have no key: what only a key tells is unknown for them.
        const bool hasKey = keys.count(keyName) != 0;
        std::map<std::string, RegText>& values = keys[keyName];
        // Wine's manager tells the account and the error control. It gives no dependency and
        // answers neither level of QueryServiceConfig2W: those come from the key, as does the
        // image path as stored everywhere (reg prints a list as "a\0b").
        std::vector<BYTE> buffer;
        bool levelsAnswered = true;
        const QUERY_SERVICE_CONFIGW* config = AskManager(name, buffer, levelsAnswered);
        ASSERT_TRUE(config);
        EXPECT_FALSE(levelsAnswered || (config->lpDependencies && *config->lpDependencies));
        EXPECT_EQ(record.Text(kInvObjectName), NarrowText(config->lpServiceStartName));
        EXPECT_EQ(record.Text(kInvErrorControl), std::to_string(config->dwErrorControl));
        std::string services = values["DependOnService"].data;
        for (auto at = services.find("\\0"); at != std::string::npos; at = services.find("\\0"))
            services.replace(at, 2, "/");
        EXPECT_EQ(record.Text(kInvDependOnService), services);
        EXPECT_EQ(record.Text(kInvDependOnGroup), values["DependOnGroup"].data);
        const std::string delayed = values["DelayedAutostart"].data;
        EXPECT_EQ(record.Text(kInvDelayedAutoStart), !hasKey                               ? ""
                                                     : delayed.empty() || delayed == "0x0" ? "0"
                                                                                           : "1");
        EXPECT_EQ(record.Text(kInvTriggerStart), !hasKey                                    ? ""
                                                 : keys.count(keyName + "\\TriggerInfo\\0") ? "1"
                                                                                            : "0");
        EXPECT_EQ(record.Text(kInvStoredImagePath), values["ImagePath"].data);
        EXPECT_EQ(record.Text(kInvUnquotedPath), name == "OrvaneConfigured" ? "1" : "0");
    }
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->Text(kInvObjectName), "NT AUTHORITY\\LocalService");
    EXPECT_EQ(mine->Text(kInvErrorControl) + mine->Text(kInvDelayedAutoStart) +
                  mine->Text(kInvTriggerStart),
              "211");
    EXPECT_EQ(mine->Text(kInvDependOnService) + "|" + mine->Text(kInvDependOnGroup), "RpcSs|TDI");
    EXPECT_EQ(mine->Text(kInvStoredImagePath), kStored);
    // SHA-256 of "abc" (FIPS 180-4's example); "C:\Orvane.exe" would run before it.
    EXPECT_EQ(mine->Text(kInvSha256),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace

// The catalogue on the real platform agrees with what Wine's sc.exe and reg.exe report for every
// record, and every service the manager enumerates is catalogued, also one whose key cannot be
// read.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "catalogue/service_list.h"
#include "tests/support/live_system.h"
#include "record_check.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/wow64_probe.h"

namespace {

class LiveCatalogue : public ::testing::Test {
protected:
    Win32System system_;
    CServiceList list_{system_, system_};
    RegKeys keys_;
    void SetUp() override {
        WaitUntilNoServicePending(system_);
        list_.Reload();
        ASSERT_TRUE(RegQueryTree(kServicesKey, keys_));
    }
};

TEST_F(LiveCatalogue, EveryRecordAgreesWithScAndReg) {
    const auto began = std::chrono::steady_clock::now();
    ASSERT_GT(list_.GetCount(), 10u);
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    bool driversBegun = false;
    for (bool more = list_.GetFirst(cursor, item); more; more = list_.GetNext(cursor, item)) {
        SCOPED_TRACE(item->lpServiceName);
        driversBegun = driversBegun || item->ServiceKind == kKindDriver;
        EXPECT_EQ(item->ServiceKind, driversBegun ? kKindDriver : kKindWin32);  // Win32 first
        ScState sc;
        ASSERT_TRUE(ScQuery(item->lpServiceName, sc));
        EXPECT_EQ(item->ServiceStatus.dwServiceType, sc.type);
        EXPECT_EQ(item->ServiceStatus.dwCurrentState, sc.state);
        EXPECT_EQ(item->ServiceKind, (sc.type & 0x30) != 0 ? kKindWin32 : kKindDriver);
        ExpectRecordMatchesRegistry(*item, keys_);
    }
    EXPECT_TRUE(driversBegun);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - began);
    std::printf("[ timing ] %zu records checked against sc and reg in %lld ms\n", list_.GetCount(),
                static_cast<long long>(ms.count()));
}

// The other direction: a service the manager answers for is listed, with or without a key.
TEST_F(LiveCatalogue, EveryServiceTheManagerAnswersForIsListed) {
    std::map<std::string, int> names;
    ASSERT_TRUE(RegSubkeys(kServicesKey, names));
    for (const auto& name : names) {
        ScState sc;
        if (list_.Find(name.first.c_str()) == nullptr)
            EXPECT_FALSE(ScQuery(name.first, sc)) << name.first;
    }
}

TEST_F(LiveCatalogue, HoldsWinesKnownServicesAndDrivers) {
    for (const char* name : {"Spooler", "BITS", "Eventlog", "RpcSs", "PlugPlay"}) {
        const SERVICE_ITEM* item = list_.Find(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->ServiceKind, kKindWin32) << name;
    }
    for (const char* name : {"MountMgr", "winebus", "nsiproxy"}) {
        const SERVICE_ITEM* item = list_.Find(name);
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->ServiceKind, kKindDriver) << name;
    }
    // Running device hosts have no key: listed all the same, without an image path.
    int hosts = 0;
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list_.GetFirst(cursor, item); more; more = list_.GetNext(cursor, item)) {
        if (item->lpServiceName.rfind("Winedevice", 0) == 0) {
            ++hosts;
            EXPECT_EQ(item->ServiceStatus.dwCurrentState, kStateRunning) << item->lpServiceName;
            EXPECT_STREQ(item->ImagePath, "") << item->lpServiceName;
        }
    }
    EXPECT_GT(hosts, 0);
}

// Denies every right on a key but reading and changing its security, as someone with the right
// to change it could, and gives it its own back when it goes.
class UnreadableKey {
public:
    explicit UnreadableKey(const std::wstring& path) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC,
                          key_.Receive()) != ERROR_SUCCESS)
            return;
        DWORD size = 0;
        RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, nullptr, &size);
        original_.resize(size);
        PSECURITY_DESCRIPTOR denied = nullptr;
        locked_ = size > 0 &&
                  RegGetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, original_.data(),
                                    &size) == ERROR_SUCCESS &&
                  ConvertStringSecurityDescriptorToSecurityDescriptorW(
                      L"D:P(A;;RCWD;;;WD)", SDDL_REVISION_1, &denied, nullptr) &&
                  RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, denied) == ERROR_SUCCESS;
        LocalFree(denied);
    }
    ~UnreadableKey() {
        if (locked_)
            RegSetKeySecurity(key_.Get(), DACL_SECURITY_INFORMATION, original_.data());
    }
    bool Locked() const { return locked_; }

private:
    RegKey key_;
    std::vector<BYTE> original_;
    bool locked_ = false;
};

// A service whose key has been made unreadable is still enumerated by the manager (sc sees it)
// and still listed, with nothing but what the manager said; the driver pass is not disturbed.
TEST(LiveCatalogueHostile, AServiceWhoseKeyCannotBeReadIsListed) {
    const std::wstring name = L"OrvaneUnreadableKey";
    ASSERT_TRUE(CreateDemandService(name, SERVICE_WIN32_OWN_PROCESS, L"C:\\orvane\\locked.exe"));
    Win32System system;
    CServiceList list(system, system);
    {
        UnreadableKey lock(L"SYSTEM\\CurrentControlSet\\Services\\" + name);
        ASSERT_TRUE(lock.Locked());
        EXPECT_EQ(system.OpenKey(std::u16string(kServicesKeyW) + u"\\OrvaneUnreadableKey"),
                  nullptr);
        list.Reload();
    }
    DeleteServiceNamed(name);
    ScState sc;
    const SERVICE_ITEM* item = list.Find("OrvaneUnreadableKey");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->ServiceKind, kKindWin32);
    EXPECT_EQ(item->ServiceStatus.dwCurrentState, kStateStopped);
    EXPECT_STREQ(item->ImagePath, "");
    EXPECT_EQ(item->Start, kStartUnknown);
    EXPECT_EQ(item->Description, item->lpDisplayName);
    EXPECT_NE(list.Find("Spooler"), nullptr);
    EXPECT_NE(list.Find("MountMgr"), nullptr);
    EXPECT_EQ(list.PassResult(true).error, 0u);
    EXPECT_EQ(list.PassResult(false).error, 0u);
}

// The platform's raw passes keep the manager's order and carry the null display names through.
TEST(Win32Enumeration, PassesMatchTheCatalogueOrder) {
    Win32System system;
    CServiceList list(system, system);
    list.Reload();
    std::vector<ServiceEntry> win32;
    std::vector<ServiceEntry> drivers;
    ASSERT_EQ(system.EnumerateServices(kServiceTypeWin32, win32).error, 0u);
    ASSERT_EQ(system.EnumerateServices(kServiceTypeDriver, drivers).error, 0u);
    std::vector<std::string> expected;  // every entry, each pass in its order
    for (const auto* pass : {&win32, &drivers}) {
        for (const ServiceEntry& entry : *pass) {
            expected.push_back(entry.serviceName);
        }
    }
    std::vector<std::string> actual;
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list.GetFirst(cursor, item); more; more = list.GetNext(cursor, item)) {
        actual.push_back(item->lpServiceName);
    }
    EXPECT_EQ(actual, expected);
    for (const ServiceEntry& entry : win32) {
        EXPECT_NE(entry.status.dwServiceType & 0x30, 0u) << entry.serviceName;
    }
    for (const ServiceEntry& entry : drivers) {
        EXPECT_EQ(entry.status.dwServiceType & 0x30, 0u) << entry.serviceName;
    }
}

TEST(Win32Enumeration, WindowsDirectoryIsTheSystemsOne) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(Win32System().WindowsDirectory(), windows);
    EXPECT_FALSE(std::string(windows).empty());
}

// Both WOW64 queries are found in kernel32 at run time and answer for this 64-bit process: it is
// no WOW64 process, so the program runs.
TEST(Win32Platform, The64BitBuildIsNotUnderWow64) {
    const Wow64Report report = ProbeWow64();
    EXPECT_TRUE(report.queriedProcess2);
    EXPECT_EQ(report.processMachine, IMAGE_FILE_MACHINE_UNKNOWN);
    EXPECT_TRUE(report.queriedProcess);
    EXPECT_FALSE(report.wow64);
    EXPECT_FALSE(RunsUnderWow64(report));
}

}  // namespace

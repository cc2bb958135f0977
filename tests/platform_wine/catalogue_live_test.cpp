// The catalogue on the real platform agrees with what Wine's sc.exe and reg.exe report for every
// record, and every service the manager knows with an image path is catalogued.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "catalogue/service_list.h"
#include "tests/support/live_system.h"
#include "record_check.h"
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

// The other direction: a service the manager answers for and whose key has an image path is listed.
TEST_F(LiveCatalogue, EveryManagedServiceWithImagePathIsListed) {
    std::map<std::string, int> names;
    ASSERT_TRUE(RegSubkeys(kServicesKey, names));
    for (const auto& name : names) {
        const auto values = keys_.find(std::string(kServicesKey) + "\\" + name.first);
        ScState sc;
        if (values == keys_.end() || values->second.count("ImagePath") == 0 ||
            !ScQuery(name.first, sc)) {
            continue;
        }
        EXPECT_NE(list_.Find(name.first.c_str()), nullptr) << name.first;
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
    // Running device hosts have no key and so no image path.
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list_.GetFirst(cursor, item); more; more = list_.GetNext(cursor, item)) {
        EXPECT_NE(item->lpServiceName.rfind("Winedevice", 0), 0u) << item->lpServiceName;
    }
}

// The platform's raw passes keep the manager's order and carry the null display names through.
TEST(Win32Enumeration, PassesMatchTheCatalogueOrder) {
    Win32System system;
    CServiceList list(system, system);
    list.Reload();
    std::vector<ServiceEntry> win32;
    std::vector<ServiceEntry> drivers;
    ASSERT_TRUE(system.EnumerateServices(kServiceTypeWin32, win32));
    ASSERT_TRUE(system.EnumerateServices(kServiceTypeDriver, drivers));
    std::vector<std::string> expected;
    for (const auto* pass : {&win32, &drivers}) {
        for (const ServiceEntry& entry : *pass) {
            if (list.Find(entry.serviceName.c_str()) != nullptr) {
                expected.push_back(entry.serviceName);
            }
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

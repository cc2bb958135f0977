// The catalogue in the prefix made by scripts/many-services.sh: 1,200 extra services, far more than
// the first enumeration buffer holds, all catalogued in the manager's order and read correctly.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "catalogue/service_list.h"
#include "tests/support/live_system.h"
#include "platform/win32/win32_system.h"
#include "record_check.h"

namespace {

constexpr int kManyCount = 1200;

std::string ManyName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "OrvaneMany%04d", i);
    return name;
}

class ManyServices : public ::testing::Test {
protected:
    Win32System system_;
    CServiceList list_{system_, system_};
    void SetUp() override {
        const auto began = std::chrono::steady_clock::now();
        list_.Reload();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - began);
        std::printf("[ timing ] Reload of %zu records: %lld ms\n", list_.GetCount(),
                    static_cast<long long>(ms.count()));
    }
};

TEST_F(ManyServices, EveryServiceIsCataloguedInTheManagersOrder) {
    std::vector<ServiceEntry> win32;
    ASSERT_EQ(system_.EnumerateServices(kServiceTypeWin32, win32).error, 0u);
    ASSERT_GT(win32.size(), static_cast<size_t>(kManyCount));
    ASSERT_GT(list_.GetCount(), 1000u);
    for (int i = 1; i <= kManyCount; ++i) {
        const SERVICE_ITEM* item = list_.Find(ManyName(i).c_str());
        ASSERT_NE(item, nullptr) << ManyName(i);
        EXPECT_EQ(item->ServiceKind, kKindWin32);
    }
    // The catalogue's Win32 records are the pass's entries, every one, in pass order.
    std::vector<std::string> expected;
    for (const ServiceEntry& entry : win32) {
        expected.push_back(entry.serviceName);
    }
    std::vector<std::string> actual;
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list_.GetFirst(cursor, item); more && item->ServiceKind == kKindWin32;
         more = list_.GetNext(cursor, item)) {
        actual.push_back(item->lpServiceName);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(ManyServices, RecordsAgreeWithRegAndSc) {
    RegKeys keys;
    ASSERT_TRUE(RegQueryTree(kServicesKey, keys));
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = list_.GetFirst(cursor, item); more; more = list_.GetNext(cursor, item)) {
        // reg.exe prints through its console code page, which cannot show the Chinese texts.
        if (item->lpServiceName != ManyName(1197)) {
            SCOPED_TRACE(item->lpServiceName);
            ExpectRecordMatchesRegistry(*item, keys);
        }
    }
    for (int i = 100; i <= kManyCount; i += 100) {
        ScState sc;
        ASSERT_TRUE(ScQuery(ManyName(i), sc)) << ManyName(i);
        EXPECT_EQ(sc.type, 0x10u);
        EXPECT_EQ(sc.state, list_.Find(ManyName(i).c_str())->ServiceStatus.dwCurrentState);
    }
}

TEST_F(ManyServices, DescriptionsAndNamesAsTheRegistryHasThem) {
    for (int i = 100; i <= kManyCount; i += 100) {
        EXPECT_STREQ(list_.Find(ManyName(i).c_str())->Description, "Size") << i;
    }
    // An indirect text whose file is missing stays as stored; one an INF file left shows its text.
    EXPECT_STREQ(list_.Find(ManyName(1199).c_str())->Description,
                 "@%SystemRoot%\\system32\\orvane-none.dll,-8");
    EXPECT_STREQ(list_.Find(ManyName(1196).c_str())->Description, "Microsoft UMPass Driver");
    const SERVICE_ITEM* unnamed = list_.Find(ManyName(1198).c_str());
    EXPECT_EQ(unnamed->lpDisplayName, ManyName(1198));
    EXPECT_STREQ(unnamed->Description, ManyName(1198).c_str());
    const SERVICE_ITEM* chinese = list_.Find(ManyName(1197).c_str());
    EXPECT_EQ(chinese->lpDisplayName, "\xe6\xb5\x8b\xe8\xaf\x95\xe6\x9c\x8d\xe5\x8a\xa1 1197");
    EXPECT_STREQ(chinese->Description, "\xe4\xb8\xad\xe6\x96\x87\xe6\x8f\x8f\xe8\xbf\xb0 1197");

    std::vector<ServiceEntry> win32;
    ASSERT_EQ(system_.EnumerateServices(kServiceTypeWin32, win32).error, 0u);
    for (const ServiceEntry& entry : win32) {
        if (entry.serviceName == ManyName(1198)) {
            EXPECT_FALSE(entry.hasDisplayName);  // Wine gives no name where the key has none
        }
    }
}

// Wine's manager enumerates a driver whose key has no image path, as Windows does; its path is the
// one the kernel loads it from.
TEST_F(ManyServices, ADriverWithoutImagePathHasTheKernelsPath) {
    ScState sc;
    ASSERT_TRUE(ScQuery("OrvaneNoPathDriver", sc));
    const SERVICE_ITEM* driver = list_.Find("OrvaneNoPathDriver");
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(driver->ServiceKind, kKindDriver);
    EXPECT_EQ(driver->Start, 3u);
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(driver->ImagePath,
              std::string(windows) + "\\System32\\drivers\\OrvaneNoPathDriver.sys");
}

// The svchost group after "-k" matches without regard to case ("-k NetSvcs", "-k localService").
TEST_F(ManyServices, SvchostGroupsInAnyCase) {
    const SERVICE_ITEM* plain = list_.Find(ManyName(27).c_str());
    const SERVICE_ITEM* netSvcs = list_.Find(ManyName(77).c_str());
    const SERVICE_ITEM* localService = list_.Find(ManyName(127).c_str());
    ASSERT_TRUE(plain && netSvcs && localService);
    EXPECT_EQ(plain->SvchostGroup, kSvchostNetsvcs);
    EXPECT_NE(std::string(netSvcs->ImagePath).find("-k NetSvcs"), std::string::npos);
    EXPECT_EQ(netSvcs->SvchostGroup, kSvchostNetsvcs);
    EXPECT_EQ(localService->SvchostGroup, kSvchostLocalService);
}

}  // namespace

// Loading the catalogue: what a record holds, which services are left out, order, lookup, walks.
#include "tests/catalogue/catalogue_fixture.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kChinese = "服";  // three bytes, one character

TEST_F(CatalogueTest, RecordHoldsEntryAndRegistryValues) {
    FakeService& svc =
        fake.AddService(kServiceTypeWin32, "Dnscache",
                        "%SystemRoot%\\system32\\svchost.exe -k netsvcs", 2, kStateRunning);
    svc.entry.status.dwWin32ExitCode = 7;
    fake.SetString(FakeSystem::ServiceKey("Dnscache"), "Description", "Caches names");
    fake.SetString(FakeSystem::ServiceKey("Dnscache"), "Group", "TDI");
    fake.SetString(FakeSystem::ParametersKey("Dnscache"), "ServiceDll", "dnsrslvr.dll",
                   kRegExpandSz);
    list.Reload();

    const SERVICE_ITEM& item = Record("Dnscache");
    EXPECT_EQ(item.lpDisplayName, "Dnscache display");
    EXPECT_EQ(item.ServiceStatus.dwCurrentState, kStateRunning);
    EXPECT_EQ(item.ServiceStatus.dwWin32ExitCode, 7u);
    EXPECT_EQ(item.Start, 2u);
    EXPECT_STREQ(item.ImagePath, "C:\\WINDOWS\\system32\\svchost.exe -k netsvcs");
    EXPECT_STREQ(item.Description, "Caches names");
    EXPECT_STREQ(item.Group, "TDI");
    EXPECT_STREQ(item.ServiceDll, "dnsrslvr.dll");
    EXPECT_EQ(item.ServiceKind, kKindWin32);
    EXPECT_EQ(item.SvchostGroup, kSvchostNetsvcs);
}

// A load opens the Services key once a pass, and each service's key and "Parameters" key once,
// however many values it reads from them (the description twice: raw, then resolved).
TEST_F(CatalogueTest, EachServiceKeyIsOpenedOnce) {
    fake.AddService(kServiceTypeWin32, "a", "a.exe");
    fake.SetString(FakeSystem::ServiceKey("a"), "Description", "@a.dll,-1");
    fake.SetIndirectString("@a.dll,-1", "resolved");
    fake.SetString(FakeSystem::ParametersKey("a"), "ServiceDll", "a.dll");
    fake.AddService(kServiceTypeWin32, "b", "b.exe");
    fake.AddService(kServiceTypeDriver, "d", "d.sys");
    list.Reload();
    EXPECT_STREQ(Record("a").Description, "resolved");
    EXPECT_STREQ(Record("a").ServiceDll, "a.dll");
    EXPECT_EQ(fake.KeysOpened(), 2 + 3 + 1);
}

TEST_F(CatalogueTest, MissingValuesLeaveDefaults) {
    fake.AddService(kServiceTypeDriver, "bare", "bare.sys");
    fake.DeleteValue(FakeSystem::ServiceKey("bare"), "Start");
    list.Reload();
    const SERVICE_ITEM& item = Record("bare");
    EXPECT_EQ(item.Start, kStartUnknown);
    EXPECT_STREQ(item.Description, "bare display");
    EXPECT_STREQ(item.Group, "");
    EXPECT_STREQ(item.ServiceDll, "");
    EXPECT_EQ(item.ServiceKind, kKindDriver);
}

TEST_F(CatalogueTest, MissingDisplayNameFallsBackToServiceName) {
    fake.AddService(kServiceTypeWin32, "NoName", "a.exe").entry.hasDisplayName = false;
    list.Reload();
    EXPECT_EQ(Record("NoName").lpDisplayName, "NoName");
    EXPECT_STREQ(Record("NoName").Description, "NoName");
}

// Every entry the manager enumerates is listed: a key that cannot be read, or a value missing,
// only leaves fields empty; a long image path is cut. A driver without an image path has the one
// the kernel loads it from.
TEST_F(CatalogueTest, EveryEnumeratedEntryIsListed) {
    fake.AddService(kServiceTypeWin32, "empty", "");
    fake.AddService(kServiceTypeWin32, "long", std::string(260, 'x'));
    fake.AddService(kServiceTypeWin32, "huge", std::string(5000, 'x'));
    fake.AddService(kServiceTypeDriver, "nopath", "x.sys", 1);
    fake.DeleteValue(FakeSystem::ServiceKey("nopath"), "ImagePath");
    fake.AddService(kServiceTypeWin32, "win32nopath", "x.exe", 3);
    fake.DeleteValue(FakeSystem::ServiceKey("win32nopath"), "ImagePath");
    fake.AddEntry(kServiceTypeWin32, "WineDevice1", kStateRunning);  // no key at all
    fake.AddEntry(kServiceTypeDriver, "lockedDriver");
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("empty", "long", "huge", "win32nopath", "WineDevice1",
                                     "nopath", "lockedDriver"));
    EXPECT_STREQ(Record("empty").ImagePath, "");
    EXPECT_EQ(Record("long").ImagePath, std::string(259, 'x'));
    EXPECT_EQ(Record("huge").ImagePath, std::string(259, 'x'));
    EXPECT_STREQ(Record("nopath").ImagePath, "C:\\WINDOWS\\System32\\drivers\\nopath.sys");
    EXPECT_EQ(Record("nopath").Start, 1u);
    EXPECT_STREQ(Record("win32nopath").ImagePath, "");
    EXPECT_EQ(Record("win32nopath").Start, 3u);
    // Without a key that opens nothing is known but what the manager said.
    for (const char* name : {"WineDevice1", "lockedDriver"}) {
        const SERVICE_ITEM& item = Record(name);
        EXPECT_STREQ(item.ImagePath, "") << name;
        EXPECT_EQ(item.Description, item.lpDisplayName) << name;
        EXPECT_EQ(item.Start, kStartUnknown) << name;
    }
    EXPECT_EQ(Record("WineDevice1").ServiceStatus.dwCurrentState, kStateRunning);
}

// Without the Services key no service's values can be read, and still every service is listed.
TEST_F(CatalogueTest, AServicesKeyThatCannotBeOpenedHidesNothing) {
    fake.AddService(kServiceTypeWin32, "w", "w.exe", 2);
    fake.AddService(kServiceTypeDriver, "d", "d.sys", 1);
    fake.DeleteKey(kServicesKey);
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("w", "d"));
    EXPECT_STREQ(Record("d").ImagePath, "");
}

TEST_F(CatalogueTest, TextsAreCountedInCharacters) {
    fake.AddService(kServiceTypeWin32, "cn259", "C:\\" + Repeat(kChinese, 256));
    fake.AddService(kServiceTypeWin32, "cn260", "C:\\" + Repeat(kChinese, 257));
    std::string description = Repeat("服务说明", 30);  // 120 characters, 360 bytes
    fake.SetString(FakeSystem::ServiceKey("cn259"), "Description", description);
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("cn259", "cn260"));
    EXPECT_EQ(TextCharCount(Record("cn259").ImagePath), 259u);
    EXPECT_EQ(Record("cn260").ImagePath, "C:\\" + Repeat(kChinese, 256));  // never inside one
    EXPECT_EQ(Record("cn259").Description, description);
}

TEST_F(CatalogueTest, OverlongTextValuesCountAsUnreadable) {
    fake.AddService(kServiceTypeWin32, "svc", "svchost.exe -k netsvcs");
    std::string key = FakeSystem::ServiceKey("svc");
    fake.SetString(key, "Description", Repeat(kChinese, 260));
    fake.SetString(key, "Group", std::string(260, 'g'));
    fake.SetString(FakeSystem::ParametersKey("svc"), "ServiceDll", std::string(2000, 'd'));
    list.Reload();
    const SERVICE_ITEM& item = Record("svc");
    EXPECT_STREQ(item.Description, "svc display");
    EXPECT_STREQ(item.Group, "");
    EXPECT_STREQ(item.ServiceDll, "");
    EXPECT_EQ(item.SvchostGroup, kSvchostNone);
}

// A start type is a REG_DWORD of four bytes; anything else is unknown, never boot start.
TEST_F(CatalogueTest, StartThatIsNoFourByteDwordIsUnknown) {
    const std::vector<std::pair<uint32_t, std::vector<uint8_t>>> values = {
        {kRegBinary, {3, 0, 0, 0, 0, 0, 0, 0}},
        {11 /* REG_QWORD */, {2, 0, 0, 0, 0, 0, 0, 0}},
        {kRegSz, {'2', 0}},
        {kRegDword, {2, 0, 0}},
        {kRegBinary, {2, 0, 0, 0}},
    };
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string name = "s" + std::to_string(i);
        fake.AddService(kServiceTypeDriver, name, "w.sys");
        fake.SetRaw(FakeSystem::ServiceKey(name), "Start", values[i].first, values[i].second);
    }
    list.Reload();
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(Record(("s" + std::to_string(i)).c_str()).Start, kStartUnknown) << i;
}

// Texts count only as REG_SZ or REG_EXPAND_SZ; any other type is a missing value.
TEST_F(CatalogueTest, TextValuesOfOtherTypesCountAsMissing) {
    fake.AddService(kServiceTypeWin32, "typed", "a.exe");
    const std::string key = FakeSystem::ServiceKey("typed");
    fake.SetDword(key, "Description", 0x434241);
    fake.SetRaw(key, "Group", kRegMultiSz, {'N', 'e', 't', 0, 0});
    fake.SetDword(FakeSystem::ParametersKey("typed"), "ServiceDll", 0x6C6C64);
    fake.AddService(kServiceTypeWin32, "binpath", "b.exe");
    fake.SetRaw(FakeSystem::ServiceKey("binpath"), "ImagePath", kRegBinary, {'b', '.', 0});
    fake.AddService(kServiceTypeWin32, "raw", "a.exe");
    fake.SetRaw(FakeSystem::ServiceKey("raw"), "Group", kRegSz, {'N', 'e', 't'});
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("typed", "binpath", "raw"));
    EXPECT_STREQ(Record("binpath").ImagePath, "");
    EXPECT_STREQ(Record("typed").Description, "typed display");
    EXPECT_STREQ(Record("typed").Group, "");
    EXPECT_STREQ(Record("typed").ServiceDll, "");
    EXPECT_STREQ(Record("raw").Group, "Net");  // stored without its NUL, still a text
}

// A long service name reads its own key, never a shorter one that its cut path would name.
TEST_F(CatalogueTest, LongKeyPathsAreNeverCut) {
    std::string name(300, 'n');
    std::string cutKey = FakeSystem::ServiceKey(name).substr(0, 259);
    fake.AddService(kServiceTypeWin32, name, "own.exe");
    fake.SetString(FakeSystem::ParametersKey(name), "ServiceDll", "own.dll");
    fake.SetString(cutKey, "ImagePath", "other.exe");
    fake.SetString(cutKey, "ServiceDll", "other.dll");
    list.Reload();
    ASSERT_EQ(list.GetCount(), 1u);
    EXPECT_STREQ(Record(name.c_str()).ImagePath, "own.exe");
    EXPECT_STREQ(Record(name.c_str()).ServiceDll, "own.dll");
}

TEST_F(CatalogueTest, UnreadableWindowsDirectoryIsEmpty) {
    fake.SetWindowsDirectory("");
    fake.AddService(kServiceTypeDriver, "a", "\\SystemRoot\\System32\\a.sys");
    fake.AddService(kServiceTypeDriver, "b", "System32\\DRIVERS\\b.sys");
    list.Reload();
    EXPECT_STREQ(Record("a").ImagePath, "\\System32\\a.sys");
    EXPECT_STREQ(Record("b").ImagePath, "\\System32\\DRIVERS\\b.sys");
}

TEST_F(CatalogueTest, Win32RecordsPrecedeDriversInEnumerationOrder) {
    fake.AddService(kServiceTypeDriver, "d2", "d2.sys");
    fake.AddService(kServiceTypeWin32, "w2", "w2.exe");
    fake.AddService(kServiceTypeDriver, "d1", "d1.sys");
    fake.AddService(kServiceTypeWin32, "w1", "w1.exe");
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("w2", "w1", "d2", "d1"));
}

TEST_F(CatalogueTest, FailedPassLeavesTheOtherAloneAndIsKept) {
    fake.AddService(kServiceTypeWin32, "w", "w.exe");
    fake.AddService(kServiceTypeDriver, "d", "d.sys");
    fake.SetEnumerationFails(kServiceTypeDriver, true, 1722);  // RPC_S_SERVER_UNAVAILABLE
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("w"));
    EXPECT_EQ(list.PassResult(true).error, 0u);
    EXPECT_EQ(list.PassResult(false).error, 1722u);
    EXPECT_FALSE(list.PassResult(false).managerUnavailable);
    fake.SetEnumerationFails(kServiceTypeDriver, false);
    fake.SetEnumerationFails(kServiceTypeWin32, true);
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("d"));
    EXPECT_EQ(list.PassResult(true).error, kErrorNotEnoughMemory);
    EXPECT_EQ(list.PassResult(false).error, 0u);
    // What a load kept goes with its records.
    CServiceList other(fake, fake);
    other.Swap(list);
    EXPECT_EQ(other.PassResult(true).error, kErrorNotEnoughMemory);
    EXPECT_EQ(list.PassResult(true).error, 0u);
}

TEST_F(CatalogueTest, ManagerThatCannotOpenLeavesCatalogueEmptyAndSaysSo) {
    fake.AddService(kServiceTypeWin32, "w", "w.exe");
    list.Reload();
    fake.SetManagerFails(true);
    list.Reload();
    int32_t cursor = 5;
    const SERVICE_ITEM* item = nullptr;
    EXPECT_FALSE(list.GetFirst(cursor, item));
    EXPECT_EQ(cursor, -1);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(list.Find("w"), nullptr);
    for (bool win32 : {true, false}) {
        EXPECT_EQ(list.PassResult(win32).error, kErrorAccessDenied);
        EXPECT_TRUE(list.PassResult(win32).managerUnavailable);
    }
}

// A load asks the manager for enumeration alone (OpenSCManager's connect and enumerate rights):
// it works where only those are granted, and fails whole where enumeration is not.
TEST_F(CatalogueTest, ALoadAsksTheManagerForEnumerationAlone) {
    fake.AddService(kServiceTypeWin32, "w", "w.exe");
    fake.SetManagerRights(kScManagerConnect | kScManagerEnumerateService);
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("w"));
    ASSERT_EQ(fake.AccessRequests().size(), 2u);  // one a pass
    for (const FakeSystem::AccessRequest& request : fake.AccessRequests()) {
        EXPECT_EQ(request.service, "");
        EXPECT_EQ(request.access, kScManagerConnect | kScManagerEnumerateService);
    }
    fake.SetManagerRights(kScManagerConnect);  // a caller without elevation, say
    list.Reload();
    EXPECT_THAT(Names(), IsEmpty());
    EXPECT_TRUE(list.PassResult(true).managerUnavailable);
    EXPECT_EQ(list.PassResult(true).error, kErrorAccessDenied);
}

// Windows hands out at most 256 KB of entries a call and the rest through the resume handle; Wine
// fills nothing when they do not fit and asks for room for all. Either way every entry is listed,
// once, in order.
TEST_F(CatalogueTest, EnumerationBeyond256KBReadsOnInPages) {
    std::vector<std::string> names;
    for (int i = 0; i < 1500; ++i) {  // about 900 KB of entries
        names.push_back("PerUserService_" + std::to_string(i) + "_" + std::string(120, 'x'));
        fake.AddEntry(kServiceTypeWin32, names.back());
    }
    for (FakeSystem::Paging paging : {FakeSystem::Paging::Windows, FakeSystem::Paging::Wine}) {
        fake.SetPaging(paging);
        const int before = fake.EnumerationCalls();
        list.Reload();
        EXPECT_EQ(Names(), names);
        EXPECT_EQ(list.PassResult(true).error, 0u);
        // Windows: the first 36 KB page, then 256 KB pages; Wine: once small, once whole, and
        // once for the empty driver pass.
        EXPECT_EQ(fake.EnumerationCalls() - before,
                  paging == FakeSystem::Paging::Windows ? 1 + 4 + 1 : 2 + 1);
    }
}

// A per-user service instance ("<template>_<LUID>") takes its service DLL from its template's key.
TEST_F(CatalogueTest, APerUserInstanceHasItsTemplatesServiceDll) {
    const char* path = "C:\\WINDOWS\\system32\\svchost.exe -k UnistackSvcGroup";
    fake.AddService(kServiceTypeWin32, "CDPUserSvc", path, 2).entry.status.dwServiceType = 0x60;
    fake.SetString(FakeSystem::ParametersKey("CDPUserSvc"), "ServiceDll", "cdpusersvc.dll");
    fake.AddService(kServiceTypeWin32, "CDPUserSvc_4a5b3", path, 2, kStateRunning)
        .entry.status.dwServiceType = 0xE0;
    fake.SetString(FakeSystem::ParametersKey("CDPUserSvc_4a5b3"), "ServiceDll", "stale.dll");
    fake.AddService(kServiceTypeWin32, "Other_1", path).entry.status.dwServiceType = 0x20;
    fake.SetString(FakeSystem::ParametersKey("Other"), "ServiceDll", "not-a-template.dll");
    list.Reload();
    std::string templateName;
    EXPECT_TRUE(UserServiceTemplate(Record("CDPUserSvc_4a5b3"), templateName));
    EXPECT_EQ(templateName, "CDPUserSvc");
    EXPECT_STREQ(Record("CDPUserSvc_4a5b3").ServiceDll, "cdpusersvc.dll");
    EXPECT_FALSE(UserServiceTemplate(Record("CDPUserSvc"), templateName));
    EXPECT_FALSE(UserServiceTemplate(Record("Other_1"), templateName));
    EXPECT_STREQ(Record("Other_1").ServiceDll, "");
}

TEST_F(CatalogueTest, ReloadReplacesRecords) {
    fake.AddService(kServiceTypeWin32, "w", "w.exe");
    fake.AddService(kServiceTypeDriver, "d", "d.sys");
    list.Reload();
    SERVICE_ITEM copy = Record("w");
    list.Reload();
    EXPECT_THAT(Names(), ElementsAre("w", "d"));
    fake.Service("w")->entry.status.dwCurrentState = kStateRunning;
    list.Reload();
    EXPECT_EQ(Record("w").ServiceStatus.dwCurrentState, kStateRunning);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    // A copy carries its own texts beyond the records' lifetime.
    EXPECT_EQ(copy.lpServiceName, "w");
    EXPECT_EQ(copy.ServiceStatus.dwCurrentState, kStateStopped);
}

TEST_F(CatalogueTest, FindIsExactOnServiceName) {
    fake.AddService(kServiceTypeWin32, "Spooler", "s.exe");
    fake.AddService(kServiceTypeDriver, "Spooler", "dup.sys");  // names are not deduplicated
    list.Reload();
    ASSERT_NE(list.Find("Spooler"), nullptr);
    EXPECT_EQ(list.Find("Spooler")->ServiceKind, kKindWin32);
    EXPECT_EQ(list.Find("spooler"), nullptr);
    EXPECT_EQ(list.Find("Spooler display"), nullptr);
    EXPECT_EQ(list.Find("Spool"), nullptr);
    EXPECT_EQ(list.Find(""), nullptr);
}

TEST_F(CatalogueTest, CursorWalkEndsAtCount) {
    fake.AddService(kServiceTypeWin32, "a", "a.exe");
    fake.AddService(kServiceTypeWin32, "b", "b.exe");
    list.Reload();
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    ASSERT_TRUE(list.GetFirst(cursor, item));
    EXPECT_EQ(cursor, 0);
    ASSERT_TRUE(list.GetNext(cursor, item));
    EXPECT_EQ(item->lpServiceName, "b");
    const SERVICE_ITEM* last = item;
    EXPECT_FALSE(list.GetNext(cursor, item));
    EXPECT_EQ(cursor, 2);
    EXPECT_EQ(item, last);
}

TEST_F(CatalogueTest, EmptyCatalogueWalksNothing) {
    list.Reload();
    EXPECT_THAT(Names(), IsEmpty());
}

}  // namespace

// Rewriting stored image paths into file paths, and the svchost group read from the result.
#include <cstring>

#include "tests/catalogue/catalogue_fixture.h"

namespace {

std::string Normalize(const std::string& stored, const char* windowsDirectory = "C:\\WINDOWS") {
    char path[kTextBytes] = {};
    std::memcpy(path, stored.c_str(), stored.size() + 1);
    CServiceList::NormalizeImagePath(windowsDirectory, path);
    return path;
}

TEST(NormalizeImagePath, RewritesEachStoredForm) {
    struct Case {
        const char* stored;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"\\??\\C:\\WINDOWS\\system32\\drivers\\a.sys", "C:\\WINDOWS\\system32\\drivers\\a.sys"},
        {"\\??\\\\SystemRoot\\a.sys", "\\SystemRoot\\a.sys"},  // only one rule applies
        {"\\SystemRoot\\System32\\DRIVERS\\a.sys", "C:\\WINDOWS\\System32\\DRIVERS\\a.sys"},
        {"\\SYSTEMROOT\\a.sys", "C:\\WINDOWS\\a.sys"},
        {"\\systemroot", "C:\\WINDOWS"},
        {"SystemRoot\\a.sys", "SystemRoot\\a.sys"},
        {"System32\\DRIVERS\\a.sys", "C:\\WINDOWS\\System32\\DRIVERS\\a.sys"},
        {"SYSTEM32\\DRIVERS\\a.sys", "C:\\WINDOWS\\SYSTEM32\\DRIVERS\\a.sys"},
        {"system32drivers\\a.sys", "system32drivers\\a.sys"},
        {"C:\\WINDOWS\\system32\\svchost.exe -k netsvcs",
         "C:\\WINDOWS\\system32\\svchost.exe -k netsvcs"},
        {"C:\\Program Files\\A\\b.exe -service", "C:\\Program Files\\A\\b.exe -service"},
        // Only ASCII letters fold: a non-ASCII look-alike does not match.
        {"\\systemrooт\\a.sys", "\\systemrooт\\a.sys"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Normalize(c.stored), c.expected) << c.stored;
}

TEST(NormalizeImagePath, DropsOnlyTheQuotePair) {
    EXPECT_EQ(Normalize("\"C:\\Program Files\\A\\b.exe\""), "C:\\Program Files\\A\\b.exe");
    EXPECT_EQ(Normalize("\"C:\\Program Files\\A\\b.exe\" -service"),
              "C:\\Program Files\\A\\b.exe -service");
    EXPECT_EQ(Normalize("\"C:\\x.exe\" -a \"quoted arg\""), "C:\\x.exe -a \"quoted arg\"");
    EXPECT_EQ(Normalize("\"C:\\unclosed.exe -a"), "C:\\unclosed.exe -a");
    EXPECT_EQ(Normalize("\""), "");
    EXPECT_EQ(Normalize("\"\""), "");
}

TEST(NormalizeImagePath, RewrittenPathsAreCutAt259Characters) {
    std::string rest = std::string(300, 'a');
    EXPECT_EQ(Normalize("\\SystemRoot\\" + rest.substr(0, 250)).size(), 259u);
    EXPECT_EQ(Normalize("system32\\" + rest.substr(0, 250)).size(), 259u);
    // Counted in characters, never cut inside one.
    std::string chinese;
    for (int i = 0; i < 255; ++i)
        chinese += "驱";
    std::string cut = Normalize("system32\\" + chinese, "C:\\视窗");
    EXPECT_EQ(TextCharCount(cut.c_str()), 259u);
    EXPECT_EQ(cut.size(), 3u + 2 * 3 + 1 + 9 + 244 * 3);
}

TEST(NormalizeImagePath, NullWindowsDirectoryReadsAsEmpty) {
    EXPECT_EQ(Normalize("System32\\a.sys", nullptr), "\\System32\\a.sys");
}

// The record keeps what its quotes enclosed: the file that runs, which the command line read
// again finds exactly, whatever a prefix of it names; the path itself is rewritten as before.
TEST_F(CatalogueTest, AQuotedImagePathKeepsItsQuotedFile) {
    const std::string file = "C:\\Program Files\\Foo Bar\\svc.exe";
    fake.AddService(kServiceTypeWin32, "quoted", "\"" + file + "\" -run");
    fake.AddService(kServiceTypeWin32, "plain", "C:\\Program Files\\Foo Bar\\svc.exe -run");
    fake.AddService(kServiceTypeWin32, "unclosed", "\"C:\\a b\\c d");
    fake.AddService(kServiceTypeWin32, "empty", "\"\" x");
    fake.AddService(kServiceTypeWin32, "long", "\"C:\\" + std::string(300, 'x') + "\" -a");
    list.Reload();
    EXPECT_EQ(Record("quoted").ImagePath, file + " -run");
    EXPECT_EQ(Record("quoted").QuotedFileBytes, file.size());
    EXPECT_EQ(ImageCommandLine(Record("quoted")), "\"" + file + "\" -run");
    EXPECT_EQ(Record("plain").QuotedFileBytes, kNotQuoted);
    EXPECT_EQ(ImageCommandLine(Record("plain")), Record("plain").ImagePath);
    EXPECT_EQ(ImageCommandLine(Record("unclosed")), "\"C:\\a b\\c d\"");
    EXPECT_EQ(ImageCommandLine(Record("empty")), "\"\" x");  // names no file, as it runs none
    // Cut with the field: the quoted part is as much of the file name as the field holds.
    EXPECT_EQ(Record("long").QuotedFileBytes, 259u);
    EXPECT_EQ(ImageCommandLine(Record("long")),
              "\"" + std::string(Record("long").ImagePath) + "\"");
}

class SvchostGroupTest : public CatalogueTest {
protected:
    int32_t GroupOf(const std::string& imagePath, const char* serviceDll = "x.dll") {
        std::string name = "svc" + std::to_string(++count_);
        fake.AddService(kServiceTypeWin32, name, imagePath);
        if (serviceDll)
            fake.SetString(FakeSystem::ParametersKey(name), "ServiceDll", serviceDll);
        list.Reload();
        return Record(name.c_str()).SvchostGroup;
    }
    int count_ = 0;
};

TEST_F(SvchostGroupTest, ReadsGroupFromRewrittenPath) {
    EXPECT_EQ(GroupOf("%SystemRoot%\\system32\\svchost.exe -k netsvcs"), kSvchostNetsvcs);
    EXPECT_EQ(GroupOf("svchost.exe -k LocalService"), kSvchostLocalService);
    EXPECT_EQ(GroupOf("svchost.exe -k LocalServiceNetworkRestricted"), kSvchostLocalService);
    EXPECT_EQ(GroupOf("svchost.exe -k netsvcs -k LocalService"), kSvchostLocalService);
    EXPECT_EQ(GroupOf("svchost.exe -k rpcss"), kSvchostNone);
    EXPECT_EQ(GroupOf("svchost.exe -k netsvc"), kSvchostNone);
    EXPECT_EQ(GroupOf("\"C:\\WINDOWS\\system32\\svchost.exe\" -k netsvcs"), kSvchostNetsvcs);
}

// Group names are value names of the SvcHost key, which Windows compares without regard to case
// (hns, iphlpsvc and NcaSvc say "-k NetSvcs", RemoteRegistry "-k localService").
TEST_F(SvchostGroupTest, GroupNamesMatchWithoutRegardToCase) {
    EXPECT_EQ(GroupOf("%SystemRoot%\\system32\\svchost.exe -k NetSvcs -p"), kSvchostNetsvcs);
    EXPECT_EQ(GroupOf("svchost.exe -k localService -p"), kSvchostLocalService);
    EXPECT_EQ(GroupOf("SVCHOST.EXE -K LOCALSERVICENOTWORK"), kSvchostLocalService);
    EXPECT_EQ(GroupOf("svchost.exe -k NETSVCS", nullptr), kSvchostNone);
}

TEST_F(SvchostGroupTest, NeedsAServiceDll) {
    EXPECT_EQ(GroupOf("svchost.exe -k netsvcs", nullptr), kSvchostNone);
    EXPECT_EQ(GroupOf("svchost.exe -k netsvcs", ""), kSvchostNone);
}

}  // namespace

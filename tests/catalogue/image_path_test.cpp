// Rewriting stored image paths into file paths, and the svchost group read from the result.
#include <cstring>

#include "catalogue/command_line.h"
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

TEST(ExecutableCandidates, ReadsTheCommandLineAsProcessCreationDoes) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(
        ExecutableCandidates("C:\\WINDOWS\\system32\\msiexec.exe /V"),
        (Names{"C:\\WINDOWS\\system32\\msiexec.exe", "C:\\WINDOWS\\system32\\msiexec.exe /V"}));
    // Spaces in folder names and in the arguments: shortest prefix first, ".exe" where none.
    EXPECT_EQ(
        ExecutableCandidates("C:\\Program Files\\A B\\svc.exe -k x"),
        (Names{"C:\\Program.exe", "C:\\Program Files\\A.exe", "C:\\Program Files\\A B\\svc.exe",
               "C:\\Program Files\\A B\\svc.exe -k", "C:\\Program Files\\A B\\svc.exe -k x"}));
    EXPECT_EQ(ExecutableCandidates("\"C:\\A B\\run\" -x \"y z\""), (Names{"C:\\A B\\run.exe"}));
    EXPECT_EQ(ExecutableCandidates("\"C:\\A B\\run.exe"), (Names{"C:\\A B\\run.exe"}));
    EXPECT_EQ(ExecutableCandidates("C:\\drivers\\raw"),
              (Names{"C:\\drivers\\raw.exe", "C:\\drivers\\raw"}));
    EXPECT_EQ(ExecutableCandidates("C:\\v1.2\\tool -a"),
              (Names{"C:\\v1.2\\tool.exe", "C:\\v1.2\\tool -a.exe", "C:\\v1.2\\tool -a"}));
    EXPECT_TRUE(ExecutableCandidates("").empty());
    EXPECT_TRUE(ExecutableCandidates("\"").empty());
}

}  // namespace

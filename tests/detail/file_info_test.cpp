// File probing and version records, on DLLs of known content built with the test and on Wine's own.
#include "views/file_info.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "catalogue/text.h"
#include "tests/detail/test_files.h"

namespace {

DWORD ReportedSize(const std::string& path) {
    DWORD unused = 0;
    return GetFileVersionInfoSizeA(path.c_str(), &unused);
}

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// Text buffers as the pane passes them, pre-filled so that an untouched buffer shows.
struct StringInfo {
    char description[kTextBytes];
    char company[kTextBytes];
    int result;
    explicit StringInfo(const std::string& path) {
        std::strcpy(description, "untouched");
        std::strcpy(company, "untouched");
        result = GetFileStringInfo(path.c_str(), description, company);
    }
};

std::string Version(const std::string& path, int* result = nullptr) {
    char buffer[260];
    std::strcpy(buffer, "untouched");
    int r = GetFileVersionString(path.c_str(), buffer, sizeof buffer);
    if (result)
        *result = r;
    return buffer;
}

TEST(FileExists, WildcardsNameNoFile) {
    for (const char* pattern : {"*.dll", "ver_plain.dl?", "ver_plain<dll"})
        EXPECT_FALSE(FileExists((TestExeFolder() + "\\files\\" + pattern).c_str())) << pattern;
    EXPECT_FALSE(FileExists("C:\\windows\\system32\\*.exe"));
}

// The file a command line starts, with spaces in the folder names and in the arguments; the
// shortest prefix that names a file wins.
TEST(FindImageFile, FindsTheFileTheCommandLineStarts) {
    const std::string files = TestExeFolder() + "\\files\\";
    CreateDirectoryA((files + "probe dir").c_str(), nullptr);
    const std::string exe = files + "probe dir\\svc host.exe";
    ASSERT_TRUE(CopyFileA(TestFile("ver_plain.dll").c_str(), exe.c_str(), FALSE));
    std::string file;
    for (const std::string& line : {exe + " -k \"arg with spaces\" x",
                                    files + "probe dir\\svc host -a b", "\"" + exe + "\" -k x"}) {
        EXPECT_TRUE(FindImageFile(line.c_str(), file) && file == exe) << line;
    }
    const std::string shadow = files + "probe.exe";
    ASSERT_TRUE(CopyFileA(TestFile("ver_none.dll").c_str(), shadow.c_str(), FALSE));
    EXPECT_TRUE(FindImageFile(exe.c_str(), file) && file == shadow);
    DeleteFileA(shadow.c_str());
    EXPECT_FALSE(FindImageFile((files + "probe dir\\missing.exe -a").c_str(), file));
}

TEST(FileExists, OnlyExistingFilesThatAreNotDirectories) {
    EXPECT_TRUE(FileExists(TestFile("ver_plain.dll").c_str()));
    EXPECT_TRUE(FileExists(ModulePath().c_str()));
    EXPECT_FALSE(FileExists(TestExeFolder().c_str()));
    EXPECT_FALSE(FileExists("C:\\windows\\system32"));
    EXPECT_FALSE(FileExists(TestFile("missing.dll").c_str()));
    EXPECT_FALSE(FileExists((TestFile("ver_plain.dll") + " -k netsvcs").c_str()));
    EXPECT_FALSE(FileExists(""));
}

TEST(GetFileVersionString, WordsInDecimalMostSignificantFirst) {
    int result = 0;
    EXPECT_EQ(Version(TestFile("ver_plain.dll"), &result), "65535.0.12.345");
    EXPECT_EQ(result, 1);
}

TEST(GetFileVersionString, CutsToTheBufferAndClearsIt) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetFileVersionString(TestFile("ver_plain.dll").c_str(), buffer, 8), 1);
    EXPECT_STREQ(buffer, "65535.0");
    EXPECT_EQ(buffer[8], 'x');  // nothing written past the size given
}

TEST(GetFileVersionString, FailureLeavesTheBuffer) {
    int result = -1;
    EXPECT_EQ(Version(TestFile("ver_none.dll"), &result), "untouched");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Version(TestFile("missing.dll"), &result), "untouched");
    EXPECT_EQ(result, 0);
}

TEST(GetFileVersionString, RecordsOfAnySizeAreRead) {
    // The records are built to these sizes; a change of the resource tools shows here first.
    ASSERT_EQ(ReportedSize(TestFile("ver_size_8190.dll")), 8190u);
    ASSERT_EQ(ReportedSize(TestFile("ver_size_8192.dll")), 8192u);
    ASSERT_GT(ReportedSize(TestFile("ver_size_large.dll")), 60000u);
    int result = -1;
    EXPECT_EQ(Version(TestFile("ver_size_8190.dll"), &result), "8.190.0.0");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Version(TestFile("ver_size_8192.dll"), &result), "8.192.0.0");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(Version(TestFile("ver_size_large.dll"), &result), "9.0.0.0");
}

// Copies of a good DLL whose resource directory lies about the version record's size are not read:
// more than a 16-bit length allows (1 MB, 2 GB, whose doubled size wraps around to 2 bytes), or
// less than the record gives itself. A claim the format allows and the file holds is read.
TEST(VersionBlock, HostileSizesAreNotRead) {
    for (uint32_t claimed : {40u, 70000u, 1u << 20, 0x7FFFFFFFu}) {
        const std::string copy = TestFile(("hostile_" + std::to_string(claimed) + ".dll").c_str());
        ASSERT_TRUE(CopyWithVersionSize(TestFile("ver_plain.dll"), copy, claimed));
        EXPECT_NE(ReportedSize(copy), 0u) << claimed;  // the system believes it
        EXPECT_FALSE(VersionBlock(copy.c_str()).IsRead()) << claimed;
        EXPECT_EQ(Version(copy), "untouched") << claimed;
        EXPECT_EQ(StringInfo(copy).result, 0) << claimed;
    }
    const std::string generous = TestFile("hostile_more.dll");
    ASSERT_TRUE(CopyWithVersionSize(TestFile("ver_plain.dll"), generous, 4000));
    EXPECT_EQ(Version(generous), "65535.0.12.345");
}

// The fixed part counts only with its signature and its whole length.
TEST(GetFileVersionString, RootWithoutSignatureOrLengthIsNoVersion) {
    int result = -1;
    EXPECT_EQ(Version(TestFile("ver_bad_signature.dll"), &result), "untouched");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Version(TestFile("ver_short_root.dll"), &result), "untouched");
    EXPECT_EQ(result, 0);
}

TEST(GetFileStringInfo, ReadsTheFirstTranslationOnly) {
    StringInfo info(TestFile("ver_plain.dll"));
    EXPECT_EQ(info.result, 1);
    EXPECT_STREQ(info.description, "服务版本测试文件");
    EXPECT_STREQ(info.company, "Orvane 测试公司");
}

TEST(GetFileStringInfo, EitherBufferMayBeLeftOut) {
    char company[kTextBytes] = "untouched";
    EXPECT_EQ(GetFileStringInfo(TestFile("ver_plain.dll").c_str(), nullptr, company), 1);
    EXPECT_STREQ(company, "Orvane 测试公司");
    char description[kTextBytes] = "untouched";
    EXPECT_EQ(GetFileStringInfo(TestFile("ver_plain.dll").c_str(), description, nullptr), 1);
    EXPECT_STREQ(description, "服务版本测试文件");
}

TEST(GetFileStringInfo, WithoutTranslationTableFailsAndLeavesBuffers) {
    StringInfo info(TestFile("ver_no_translation.dll"));
    EXPECT_EQ(info.result, 0);
    EXPECT_STREQ(info.description, "untouched");
    EXPECT_STREQ(info.company, "untouched");
    // The fixed part of the same record is still readable.
    EXPECT_EQ(Version(TestFile("ver_no_translation.dll")), "1.2.3.4");
}

TEST(GetFileStringInfo, MissingStringsLeaveBuffers) {
    StringInfo info(TestFile("ver_no_strings.dll"));
    EXPECT_EQ(info.result, 1);
    EXPECT_STREQ(info.description, "untouched");
    EXPECT_STREQ(info.company, "untouched");
}

TEST(GetFileStringInfo, NoRecordOrNoFileFails) {
    EXPECT_EQ(StringInfo(TestFile("ver_none.dll")).result, 0);
    EXPECT_EQ(StringInfo(TestFile("missing.dll")).result, 0);
}

TEST(GetFileStringInfo, LongStringsAreCutTo259Characters) {
    StringInfo info(TestFile("ver_long.dll"));
    EXPECT_EQ(info.result, 1);
    std::string expected;
    for (int i = 0; i < 259; ++i)
        expected += "服";
    EXPECT_EQ(info.description, expected);
    EXPECT_EQ(info.company, std::string(259, 'c'));
}

TEST(VersionRecords, OfThisProgram) {
    EXPECT_EQ(Version(ModulePath()), "1.0.0.3");
    StringInfo info(ModulePath());
    EXPECT_EQ(info.result, 1);
    EXPECT_STREQ(info.description, "OrvaneWindows服务管理专家");
    EXPECT_STREQ(info.company, "Orvane 软件工作室");
}

TEST(VersionRecords, OfWinesOwnLibraries) {
    const std::string kernel32 = "C:\\windows\\system32\\kernel32.dll";
    ASSERT_TRUE(FileExists(kernel32.c_str()));
    EXPECT_TRUE(std::regex_match(Version(kernel32), std::regex(R"(\d+\.\d+\.\d+\.\d+)")));
    StringInfo info(kernel32);
    EXPECT_EQ(info.result, 1);
    EXPECT_STRNE(info.description, "untouched");
    EXPECT_STREQ(info.company, "Microsoft Corporation");
}

}  // namespace

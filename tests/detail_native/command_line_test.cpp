// The file a service's image path starts, read the way process creation reads a command line.
#include "views/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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

// A file planted at a shorter prefix runs first only where the path is unquoted and a space comes
// before the end of the file it is meant to start.
TEST(UnquotedPathRisk, OnlyASpaceBeforeTheEndOfAnUnquotedFileNameCounts) {
    EXPECT_TRUE(UnquotedPathRisk("C:\\Program Files\\A B\\svc.exe -k x", ""));
    EXPECT_TRUE(UnquotedPathRisk("C:\\Program Files\\A\\SVC.EXE", ""));
    EXPECT_FALSE(UnquotedPathRisk("\"C:\\Program Files\\A\\svc.exe\" -k x", ""));
    EXPECT_FALSE(UnquotedPathRisk("C:\\WINDOWS\\system32\\svchost.exe -k netsvcs -p", ""));
    EXPECT_FALSE(UnquotedPathRisk("C:\\a.exe.old\\b.exe", ""));
    // Without ".exe" the file found tells where the name ends; without a file nothing is known.
    EXPECT_TRUE(UnquotedPathRisk("C:\\Program Files\\svc", "C:\\Program Files\\svc.exe"));
    EXPECT_TRUE(UnquotedPathRisk("C:\\Program Files\\svc.com -x", "C:\\Program Files\\svc.com"));
    EXPECT_FALSE(UnquotedPathRisk("C:\\tools\\svc -k a b", "C:\\tools\\svc.exe"));
    EXPECT_FALSE(UnquotedPathRisk("C:\\Program Files\\svc", ""));
    EXPECT_FALSE(UnquotedPathRisk("", ""));
}

}  // namespace

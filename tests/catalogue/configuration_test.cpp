// The configuration a save records beside the catalogue: SHA-256 as the standard's examples give
// it, and each field from the service manager where it answers, else from the service's key.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/service_configuration.h"
#include "catalogue/service_list.h"
#include "platform/fake/fake_system.h"
#include "platform/sha256.h"

namespace {

std::string Digest(const std::string& message, std::size_t piece) {
    Sha256 digest;
    for (std::size_t at = 0; at < message.size(); at += piece)
        digest.Update(message.data() + at, std::min(piece, message.size() - at));
    return digest.HexDigest();
}

// The examples of FIPS 180-4 (NIST's SHA256.pdf, SHA256ShortMsg and SHA256LongMsg), each added in
// pieces that cross the 64-byte blocks in every way.
TEST(Sha256, GivesTheStandardsExampleDigestsHoweverTheMessageIsCut) {
    const std::string million(1000000, 'a');
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",  // 56 bytes: two blocks
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {million, "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.substr(0, 20));
        for (std::size_t piece : {std::size_t(1), std::size_t(63), std::size_t(64), std::size_t(65),
                                  std::size_t(1) << 20})
            EXPECT_EQ(Digest(c.message, piece), c.digest) << piece;
    }
}

class ManagerConfigurationTest : public ::testing::Test {
protected:
    ServiceConfiguration Read(const char* name, std::string& commandLine) {
        const SERVICE_ITEM* item = list.Find(name);
        EXPECT_NE(item, nullptr) << name;
        ServiceConfiguration config;
        if (item)
            configuration.Read(*item, config, commandLine);
        return config;
    }

    FakeSystem fake;
    CServiceList list{fake, fake};
    ManagerConfiguration configuration{fake, fake};
};

TEST_F(ManagerConfigurationTest, TheManagerTellsWhatItAnswersTheServicesKeyTheRest) {
    FakeService& answered = fake.AddService(kServiceTypeWin32, "Answered", "%SystemRoot%\\a.exe");
    answered.config.config = true;
    answered.config.binaryPath = "C:\\Program Files\\A\\a.exe -x";
    answered.config.account = "NT AUTHORITY\\NetworkService";
    answered.config.errorControl = 1;
    answered.config.dependOnService = {"RpcSs"};
    answered.config.dependOnGroup = {"G1", "G2"};
    answered.config.triggersKnown = true;  // none; the delayed start not answered
    const std::string key = FakeSystem::ServiceKey("Answered");
    fake.SetString(key, "ObjectName", "LocalSystem");
    fake.SetDword(key, "DelayedAutostart", 1);
    fake.CreateKey(key + "\\TriggerInfo\\0");

    // Refused by the manager (no rights, say): everything from the key.
    FakeService& refused = fake.AddService(kServiceTypeDriver, "Refused", "%windir%\\b.sys");
    refused.configError = kErrorAccessDenied;
    const std::string refusedKey = FakeSystem::ServiceKey("Refused");
    fake.SetString(refusedKey, "ObjectName", "\\Driver\\Refused");
    fake.SetDword(refusedKey, "ErrorControl", 3);
    fake.SetMultiString(refusedKey, "DependOnService", {"Tcpip", "Afd"});
    fake.SetMultiString(refusedKey, "DependOnGroup", {"PNP_TDI"});
    fake.CreateKey(refusedKey + "\\TriggerInfo");  // no trigger below it

    // Values of the wrong type count as missing; a list ends at its first empty string.
    fake.AddService(kServiceTypeWin32, "Odd", "C:\\odd.exe");
    const std::string oddKey = FakeSystem::ServiceKey("Odd");
    fake.SetDword(oddKey, "ObjectName", 7);
    fake.SetString(oddKey, "ErrorControl", "1");
    fake.SetString(oddKey, "DependOnGroup", "G");
    fake.SetRaw(oddKey, "DelayedAutostart", kRegBinary, {1, 0, 0, 0});
    fake.SetRaw(oddKey, "DependOnService", kRegMultiSz, {'A', 0, 0, 0, 0, 0, 'B', 0, 0, 0});

    // As Wine's manager answers: the configuration, but never a dependency.
    fake.AddService(kServiceTypeWin32, "WineLike", "C:\\w.exe").config.config = true;
    fake.SetMultiString(FakeSystem::ServiceKey("WineLike"), "DependOnService", {"RpcSs"});
    list.Reload();

    // Account, error control, services, groups, delayed and trigger start, path as stored.
    auto summary = [this](const char* name, std::string& commandLine) {
        const ServiceConfiguration c = Read(name, commandLine);
        return c.account + "|" + c.errorControl + "|" + c.dependOnService + "|" + c.dependOnGroup +
               "|" + c.delayedAutoStart + c.triggerStart + "|" + c.storedImagePath;
    };
    std::string commandLine;
    EXPECT_EQ(summary("Answered", commandLine),
              "NT AUTHORITY\\NetworkService|1|RpcSs|G1/G2|10|%SystemRoot%\\a.exe");
    EXPECT_EQ(commandLine, "C:\\Program Files\\A\\a.exe -x");
    EXPECT_EQ(summary("Refused", commandLine),
              "\\Driver\\Refused|3|Tcpip/Afd|PNP_TDI|00|%windir%\\b.sys");
    EXPECT_EQ(commandLine, "C:\\WINDOWS\\b.sys");  // expanded, as the manager would start it
    EXPECT_EQ(summary("Odd", commandLine), "||A||00|C:\\odd.exe");
    EXPECT_EQ(summary("WineLike", commandLine), "|0|RpcSs||00|C:\\w.exe");
    // A service gone from both between the load and the save: nothing known.
    fake.DeleteService("Odd");
    EXPECT_EQ(summary("Odd", commandLine) + commandLine, "|||||");
}

}  // namespace

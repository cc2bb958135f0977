// The configuration a save records beside the catalogue: each field from the service manager where
// it answers, else from the service's key.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/service_configuration.h"
#include "catalogue/service_list.h"
#include "platform/fake/fake_system.h"
#include "platform/service_access.h"

namespace {

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

    // Refused by the manager (its descriptor grants no SERVICE_QUERY_CONFIG): all from the key.
    FakeService& refused = fake.AddService(kServiceTypeDriver, "Refused", "%windir%\\b.sys");
    refused.grantedAccess = kServiceQueryStatus;
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
    fake.ClearAccessRequests();

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
    // The manager was opened once for the pass, each service with the one right reading takes.
    const auto& asked = fake.AccessRequests();
    ASSERT_EQ(asked.size(), 5u);
    EXPECT_EQ(asked[0].service + std::to_string(asked[0].access),
              std::to_string(kScManagerConnect));
    for (std::size_t i = 1; i < asked.size(); ++i)
        EXPECT_EQ(asked[i].access, kServiceQueryConfig);
    // A service gone from both between the load and the save: nothing known.
    fake.DeleteService("Odd");
    EXPECT_EQ(summary("Odd", commandLine) + commandLine, "|||||");
}

}  // namespace

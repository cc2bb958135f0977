// A fleet against its baseline: every kind of difference gives its row, what is the same gives
// none, names and paths match as Windows matches them. (The script test compares files of both
// versions and quoted texts.)
#include <gtest/gtest.h>

#include <string>

#include "inventory/inventory_compare.h"
#include "platform/fake/fake_system.h"

namespace {

// The machine a fake stands for, with the configuration its manager and registry tell.
ComparedInventory Machine(FakeSystem& fake, const char* computer) {
    CServiceList catalogue(fake, fake);
    catalogue.Reload();
    ManagerConfiguration configuration(fake, fake);
    ComparedInventory machine;
    machine.computer = computer;
    InventoryRecordsOf(catalogue, configuration, machine.records);
    return machine;
}

// The golden image: a svchost service, a service of its own, a driver.
void AddGolden(FakeSystem& fake) {
    FakeService& dns =
        fake.AddService(kServiceTypeWin32, "Dnscache",
                        "%SystemRoot%\\system32\\svchost.exe -k NetworkService", 2, kStateRunning);
    dns.config.config = true;
    dns.config.account = "NT AUTHORITY\\NetworkService";
    dns.config.dependOnService = {"Tcpip"};
    fake.SetString(FakeSystem::ParametersKey("Dnscache"), "ServiceDll",
                   "C:\\WINDOWS\\system32\\dnsrslvr.dll");
    fake.SetString(FakeSystem::ServiceKey("Dnscache"), "Description", "DNS, \"cache\"");
    fake.AddService(kServiceTypeWin32, "Agent", "C:\\Agent\\agent.exe", 2, kStateRunning);
    fake.AddService(kServiceTypeDriver, "Filter", "system32\\drivers\\filter.sys", 1,
                    kStateRunning);
}

std::string Report(const ComparedInventory& baseline, const ComparedInventory& machine, bool state,
                   std::size_t& rows) {
    std::string report;
    rows = InventoryComparison(baseline, state).Compare(machine, report);
    return report;
}

TEST(InventoryComparison, EachDifferenceIsOneRowAndSamenessNone) {
    FakeSystem golden;
    AddGolden(golden);
    const ComparedInventory baseline = Machine(golden, "GOLDEN");
    std::size_t rows = 0;
    EXPECT_EQ(Report(baseline, Machine(golden, "SAME"), true, rows), "");
    EXPECT_EQ(rows, 0u);

    FakeSystem drifted;
    AddGolden(drifted);
    // Other case in a name and in paths, another run state: none of these is a difference.
    drifted.DeleteService("Agent");
    drifted.AddService(kServiceTypeWin32, "AGENT", "c:\\agent\\AGENT.exe", 2, kStateStopped)
        .entry.displayName = "Agent display";
    FakeService& dns = *drifted.Service("Dnscache");
    dns.config.account = "NT AUTHORITY\\LocalSystem";
    dns.config.dependOnService = {"Tcpip", "Afd"};
    drifted.SetDword(FakeSystem::ServiceKey("Dnscache"), "Start", 4);
    drifted.SetDword(FakeSystem::ServiceKey("Dnscache"), "DelayedAutostart", 1);
    drifted.SetString(FakeSystem::ServiceKey("Dnscache"), "ImagePath",
                      "C:\\Temp\\svchost.exe -k NetworkService", kRegExpandSz);
    drifted.DeleteService("Filter");
    drifted.AddService(kServiceTypeWin32, "Planted", "C:\\Users\\Public\\p.exe", 2);
    ComparedInventory machine = Machine(drifted, "WEB-01");
    machine.records[0].fields[kInvSha256] = std::string(64, 'b');  // Dnscache's DLL replaced

    EXPECT_EQ(Report(baseline, machine, false, rows),
              "WEB-01,Dnscache,changed,Start,2,4\r\n"
              "WEB-01,Dnscache,changed,StoredImagePath,"
              "%SystemRoot%\\system32\\svchost.exe -k NetworkService,"
              "C:\\Temp\\svchost.exe -k NetworkService\r\n"
              "WEB-01,Dnscache,changed,ObjectName,NT AUTHORITY\\NetworkService,"
              "NT AUTHORITY\\LocalSystem\r\n"
              "WEB-01,Dnscache,changed,DelayedAutoStart,0,1\r\n"
              "WEB-01,Dnscache,changed,DependOnService,Tcpip,Tcpip/Afd\r\n"
              "WEB-01,Dnscache,changed,Sha256,," +
                  std::string(64, 'b') +
                  "\r\n"
                  "WEB-01,Filter,removed,,,\r\n"
                  "WEB-01,Planted,added,,,\r\n");
    EXPECT_EQ(rows, 8u);
    // With the run state: AGENT stopped where Agent ran.
    EXPECT_NE(Report(baseline, machine, true, rows).find("WEB-01,AGENT,changed,CurrentState,4,1"),
              std::string::npos);
    EXPECT_EQ(rows, 9u);
}

TEST(InventoryComparison, TheComputerIsTheNameSaveProposesOrTheFileName) {
    EXPECT_EQ(ComputerOfInventoryFile("WEB-01-services-2024-05-06.csv"), "WEB-01");
    EXPECT_EQ(ComputerOfInventoryFile("db7-SERVICES-2024-05-06.CSV"), "db7");
    EXPECT_EQ(ComputerOfInventoryFile("web01.csv"), "web01.csv");
    EXPECT_EQ(ComputerOfInventoryFile("web01-services-2024-5-6.csv"),
              "web01-services-2024-5-6.csv");
    EXPECT_EQ(ComputerOfInventoryFile("-services-2024-05-06.csv"), "-services-2024-05-06.csv");
}

}  // namespace

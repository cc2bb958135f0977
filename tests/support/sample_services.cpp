#include "tests/support/sample_services.h"

#include "platform/fake/fake_system.h"

void AddSampleServices(FakeSystem& system) {
    auto key = [](const char* name) { return FakeSystem::ServiceKey(name); };
    system.AddService(kServiceTypeWin32, "Alpha", "C:\\Programs\\alpha.exe", 2, kStateRunning);
    system.SetString(key("Alpha"), "Description", "Alpha does things");
    system.SetString(key("Alpha"), "Group", "AlphaGroup");
    system.AddService(kServiceTypeWin32, "Beta", "C:\\Programs\\beta.exe", 3, kStateStopped);
    system.AddService(kServiceTypeWin32, "Gamma", "C:\\Programs\\gamma.exe", 4, kStatePaused)
        .startError = kErrorServiceDisabled;
    system.SetString(key("Gamma"), "Description", "伽马服务");
    system.AddService(kServiceTypeWin32, "Delta", "C:\\Programs\\delta.exe", 3, kStateStopPending);
    system.AddService(kServiceTypeWin32, "Epsilon", "C:\\Programs\\eps.exe", 7, 8);
    system
        .AddService(kServiceTypeWin32, "LocalSvc",
                    "C:\\WINDOWS\\system32\\svchost.exe -k LocalService", 3, kStateRunning)
        .stopError = kErrorAccessDenied;
    system.SetString(FakeSystem::ParametersKey("LocalSvc"), "ServiceDll", "C:\\dll\\local.dll");
    system.AddService(kServiceTypeWin32, "NetSvc", "C:\\WINDOWS\\system32\\svchost.exe -k netsvcs",
                      2, kStateRunning);
    system.SetString(FakeSystem::ParametersKey("NetSvc"), "ServiceDll", "C:\\dll\\net.dll");
    system.AddService(kServiceTypeDriver, "DrvBoot", "C:\\drivers\\boot.sys", 0, kStateRunning);
    FakeService& fs = system.AddService(kServiceTypeDriver, "DrvFs", "C:\\drivers\\fs.sys", 3);
    fs.entry.status.dwServiceType = 2;
    system.AddService(kServiceTypeDriver, "DrvAuto", "C:\\drivers\\auto.sys", 2, kStateRunning);
}

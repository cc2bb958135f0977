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

void AddAwkwardServices(FakeSystem& fake) {
    auto key = [](const std::string& name) { return FakeSystem::ServiceKey(name); };
    fake.AddService(kServiceTypeWin32, "Quoted", "\"C:\\Program Files\\a b\\q.exe\" -k netsvcs", 2,
                    kStateRunning);
    fake.SetString(key("Quoted"), "Description", "a, \"quoted\"\r\nsecond line\nthird");
    fake.SetString(FakeSystem::ParametersKey("Quoted"), "ServiceDll", "q.dll");
    fake.AddService(kServiceTypeWin32, "Local", "svchost.exe -k LocalService", 3, 8);
    fake.SetString(FakeSystem::ParametersKey("Local"), "ServiceDll", "l.dll");
    fake.SetString(key("Local"), "Group", "组, 一");
    // Paths that the rewriting would change a second time.
    fake.AddService(kServiceTypeWin32, "Again", "\\??\\\\??\\C:\\again.exe", 7, kStatePaused);
    fake.AddService(kServiceTypeWin32, "Inner", "\\??\\\"C:\\x\" -y", 4);
    // Rewritten to 259 characters that the rewriting would change again: saved all the same.
    fake.AddService(kServiceTypeWin32, "LongQuote", "\\??\\\"" + Repeat("q", 258), 3);
    fake.AddService(kServiceTypeWin32, "NoDisplay", "").entry.hasDisplayName = false;
    fake.AddService(kServiceTypeWin32, "EmptyDescription", "e.exe");
    fake.SetString(key("EmptyDescription"), "Description", "");
    fake.AddService(kServiceTypeWin32, "Indirect", "i.exe");
    fake.SetString(key("Indirect"), "Description", "@%SystemRoot%\\x.dll,-1");
    fake.AddService(kServiceTypeWin32, "Full", Repeat("服", 259), 0xFFFFFFFF, 0);
    fake.SetString(key("Full"), "Description", Repeat("描", 259));
    fake.SetString(key("Full"), "Group", Repeat("x", 259));
    fake.SetString(FakeSystem::ParametersKey("Full"), "ServiceDll", Repeat("x", 259));
    // A name so long that its key path is longer than any text field: the key is used whole.
    const std::string longName = Repeat("n", 240);
    fake.AddService(kServiceTypeWin32, longName, "long.exe");
    fake.SetString(FakeSystem::ServiceKey(longName), "Description", "whole key");
    fake.AddService(kServiceTypeDriver, "Boot", "\\SystemRoot\\System32\\drivers\\b.sys", 0,
                    kStateRunning);
    fake.AddService(kServiceTypeDriver, "FsDrv", "system32\\drivers\\fs.sys", 1)
        .entry.status.dwServiceType = 2;
}

std::string Repeat(const std::string& text, std::size_t count) {
    std::string result;
    for (std::size_t i = 0; i < count; ++i)
        result += text;
    return result;
}

// The fake services the benchmarks load: two Win32 services to every driver, svchost members with a
// service DLL, descriptions, groups and image paths that the catalogue rewrites.
#pragma once

#include <string>

#include "platform/fake/fake_system.h"

inline void AddBenchmarkServices(FakeSystem& fake, int count) {
    for (int i = 0; i < count; ++i) {
        bool driver = i % 3 == 0;
        std::string name = (driver ? "drv" : "svc") + std::to_string(i);
        std::string path = driver ? "\\SystemRoot\\System32\\drivers\\" + name + ".sys"
                                  : "%SystemRoot%\\System32\\svchost.exe -k netsvcs";
        FakeService& service =
            fake.AddService(driver ? kServiceTypeDriver : kServiceTypeWin32, name, path, 3);
        service.entry.displayName = "Example Service Display Name " + std::to_string(i);
        std::string key = FakeSystem::ServiceKey(name);
        fake.SetString(key, "Description", "Example service number " + std::to_string(i));
        fake.SetString(key, "Group", driver ? "Boot Bus Extender" : "NetworkProvider");
        if (!driver)
            fake.SetString(FakeSystem::ParametersKey(name), "ServiceDll", name + ".dll");
    }
}

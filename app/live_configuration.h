// The configuration of the running system's services, as a save, an export or a comparison reads
// it: the service manager and the registry (ManagerConfiguration), the SHA-256 of the file the
// detail pane probes, and whether the command line could start a planted file.
#pragma once

#include <map>
#include <string>

#include "catalogue/service_configuration.h"

class LiveConfiguration : public ConfigurationSource {
public:
    LiveConfiguration(ServiceManagerApi& services, ServiceRegistryApi& registry)
        : manager_(services, registry) {}

    void BeginPass() override;
    void ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) override;

private:
    ManagerConfiguration manager_;
    // The digests of the pass by file (folded): svchost.exe and shared DLLs are read once.
    std::map<std::string, std::string> digests_;
};

// A service's full configuration, as the saved inventory records it beside the catalogue's fields:
// read only when the catalogue is saved, exported or compared, never while it loads. The service
// manager tells what it answers, the service's registry key the rest.
#pragma once

#include <memory>
#include <string>

#include "catalogue/service_item.h"
#include "platform/platform.h"

// Each field as the saved inventory writes it; an empty text is a field that could not be read
// (or a file saved before the field existed).
struct ServiceConfiguration {
    std::string account;           // the log-on account, "ObjectName"
    std::string delayedAutoStart;  // "1" or "0"
    std::string triggerStart;      // "1" when trigger-start information exists, else "0"
    std::string errorControl;      // the error control, in decimal
    // The services and the groups it depends on, separated by '/' as sc.exe's "depend=" takes them
    // (a service name cannot hold a '/'); empty for none.
    std::string dependOnService;
    std::string dependOnGroup;
    std::string storedImagePath;  // "ImagePath" exactly as stored (not expanded, not rewritten)
    std::string sha256;           // of the file the detail pane probes; empty when there is none
    // "1" for an unquoted command line with spaces in which a shorter prefix could be planted
    // (always "0" for a driver, whose path the kernel takes whole).
    std::string unquotedPath;
};

// Where a save takes the configuration of each record from: the live system, or the saved
// inventory the records came from.
class ConfigurationSource {
public:
    virtual ~ConfigurationSource() = default;
    // A pass over a catalogue begins: what an earlier one kept (open keys, file digests) goes, so
    // that each save reads the system afresh.
    virtual void BeginPass() {}
    // The configuration of the catalogue's record; fields that cannot be read stay empty.
    virtual void ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) = 0;
};

// The part of a live configuration that the service manager and the registry tell: each field
// from the manager where it answers, else from the service's key. The manager and the Services key
// are opened once a pass, on its first read. The file's digest and the unquoted-path flag are left
// to the caller, which has the files; commandLine is what the manager starts (empty when unknown).
class ManagerConfiguration : public ConfigurationSource {
public:
    ManagerConfiguration(ServiceManagerApi& services, ServiceRegistryApi& registry)
        : services_(services), registry_(registry) {}

    void Read(const SERVICE_ITEM& item, ServiceConfiguration& config, std::string& commandLine);

    // Closes the manager and the Services key; the next read opens them again.
    void BeginPass() override {
        query_.reset();
        servicesKey_.reset();
        opened_ = false;
    }
    // Without the files: no digest, no unquoted-path flag.
    void ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) override {
        std::string commandLine;
        Read(item, config, commandLine);
    }

private:
    ServiceManagerApi& services_;
    ServiceRegistryApi& registry_;
    std::unique_ptr<ServiceConfigQuery> query_;
    std::unique_ptr<RegistryKey> servicesKey_;
    bool opened_ = false;  // both tried for the pass
};

// The inventory that the service list works on: the live service manager and registry, or a saved
// inventory put in their place. The application owns it and hands it to the list as its platform,
// so switching changes what the next load reads without rebuilding any window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "inventory/file_inventory.h"
#include "platform/platform.h"

class InventorySwitch : public ServiceManagerApi,
                        public ServiceRegistryApi,
                        public ConfigurationSource {
public:
    // liveConfiguration tells the live services' configuration when a live catalogue is saved.
    InventorySwitch(ServiceManagerApi& liveServices, ServiceRegistryApi& liveRegistry,
                    ConfigurationSource& liveConfiguration)
        : liveServices_(liveServices),
          liveRegistry_(liveRegistry),
          liveConfiguration_(liveConfiguration) {}

    void UseLive() { file_.reset(); }
    void UseFile(std::unique_ptr<FileInventory> file) { file_ = std::move(file); }
    bool IsLive() const { return !file_; }

    std::string WindowsDirectory() override { return Services().WindowsDirectory(); }
    EnumerationResult EnumerateServices(uint32_t serviceType,
                                        std::vector<ServiceEntry>& entries) override {
        return Services().EnumerateServices(serviceType, entries);
    }
    uint32_t OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override {
        return Services().OpenServiceSession(serviceName, access, session);
    }
    uint32_t EnumerateActiveDependents(const std::u16string& serviceName,
                                       std::vector<ServiceEntry>& dependents) override {
        return Services().EnumerateActiveDependents(serviceName, dependents);
    }

    uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) override {
        return Services().OpenConfigQuery(query);
    }

    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override {
        return Registry().OpenKey(path);
    }

    void BeginPass() override { Configuration().BeginPass(); }
    void ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) override {
        Configuration().ReadConfiguration(item, config);
    }

private:
    ServiceManagerApi& Services() const {
        return file_ ? static_cast<ServiceManagerApi&>(*file_) : liveServices_;
    }
    ServiceRegistryApi& Registry() const {
        return file_ ? static_cast<ServiceRegistryApi&>(*file_) : liveRegistry_;
    }
    ConfigurationSource& Configuration() const {
        return file_ ? static_cast<ConfigurationSource&>(*file_) : liveConfiguration_;
    }

    ServiceManagerApi& liveServices_;
    ServiceRegistryApi& liveRegistry_;
    ConfigurationSource& liveConfiguration_;
    std::unique_ptr<FileInventory> file_;
};

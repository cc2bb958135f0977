// The inventory that the service list works on: the live service manager and registry, or a saved
// inventory put in their place. The application owns it and hands it to the list as its platform,
// so switching changes what the next load reads without rebuilding any window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "inventory/file_inventory.h"
#include "platform/platform.h"

class InventorySwitch : public ServiceManagerApi, public RegistryApi {
public:
    InventorySwitch(ServiceManagerApi& liveServices, RegistryApi& liveRegistry)
        : liveServices_(liveServices), liveRegistry_(liveRegistry) {}

    void UseLive() { file_.reset(); }
    void UseFile(std::unique_ptr<FileInventory> file) { file_ = std::move(file); }
    bool IsLive() const { return !file_; }

    // The live registry, whatever is in use (the service groups dialog always reads it).
    RegistryApi& LiveRegistry() const { return liveRegistry_; }

    std::string WindowsDirectory() override { return Services().WindowsDirectory(); }
    bool EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) override {
        return Services().EnumerateServices(serviceType, entries);
    }
    uint32_t OpenServiceSession(const std::u16string& serviceName,
                                std::unique_ptr<ServiceSession>& session) override {
        return Services().OpenServiceSession(serviceName, session);
    }

    bool GetValue(const std::u16string& subKey, const char* valueName,
                  RegistryValue& value) override {
        return Registry().GetValue(subKey, valueName, value);
    }
    bool LoadIndirectString(const std::u16string& subKey, const char* valueName,
                            std::string& text) override {
        return Registry().LoadIndirectString(subKey, valueName, text);
    }
    bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) override {
        return Registry().ReadValue(subKey, valueName, value);
    }
    bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) override {
        return Registry().EnumerateValues(subKey, values);
    }

private:
    ServiceManagerApi& Services() const {
        return file_ ? static_cast<ServiceManagerApi&>(*file_) : liveServices_;
    }
    RegistryApi& Registry() const {
        return file_ ? static_cast<RegistryApi&>(*file_) : liveRegistry_;
    }

    ServiceManagerApi& liveServices_;
    RegistryApi& liveRegistry_;
    std::unique_ptr<FileInventory> file_;
};

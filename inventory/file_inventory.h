// A saved inventory standing in for the service manager and the registry: the catalogue loads from
// it through the same platform operations and the same processing as from the live system, and
// gets back exactly the records that were saved. It controls nothing: starting, stopping and
// writing a start type are refused.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "inventory/inventory_csv.h"
#include "platform/platform.h"

// What the saved inventory answers to a request that would change the system.
constexpr uint32_t kErrorSavedInventory = 50;  // ERROR_NOT_SUPPORTED

class FileInventory : public ServiceManagerApi, public RegistryApi {
public:
    explicit FileInventory(std::vector<InventoryRecord> records);

    const std::vector<InventoryRecord>& Records() const { return records_; }

    // ServiceManagerApi: the records of each kind in file order; no sessions.
    std::string WindowsDirectory() override { return std::string(); }
    bool EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) override;
    uint32_t OpenServiceSession(const char* serviceName,
                                std::unique_ptr<ServiceSession>& session) override;

    // RegistryApi: each record's key holds "ImagePath", "Description", "Group" and "Start", its
    // "Parameters" key "ServiceDll"; nothing else exists and nothing can be written.
    bool GetValue(const char* subKey, const char* valueName, void* dest, uint32_t size) override;
    bool LoadIndirectString(const char* subKey, const char* valueName, char* dest,
                            uint32_t size) override;
    bool ReadValue(const char* subKey, const char* valueName, RegistryValue& value) override;
    bool EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) override;
    uint32_t SetDwordValue(const char* subKey, const char* valueName, uint32_t value) override;

private:
    using KeyIndex = std::unordered_map<std::string, std::size_t>;
    const InventoryRecord* Find(const KeyIndex& keys, const char* subKey) const;

    std::vector<InventoryRecord> records_;
    KeyIndex serviceKeys_;     // key path as the catalogue forms it -> record
    KeyIndex parametersKeys_;  // the same for the "Parameters" key
};

// Reads a saved inventory: the file's records, then a catalogue loaded from them, which must give
// back every record exactly as the file holds it; a record it cannot (a svchost group that does not
// follow from the image path and service DLL, say) refuses the file at that record's line.
bool LoadInventory(const char* data, std::size_t size, std::unique_ptr<FileInventory>& inventory,
                   InventoryError& error);

// A saved inventory standing in for the service manager and the registry: the catalogue loads from
// it through the same platform operations and the same processing as from the live system, and
// gets back exactly the records that were saved. It controls nothing: starting, stopping and
// writing a start type are refused.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/service_list.h"
#include "inventory/inventory_csv.h"
#include "platform/platform.h"
#include "platform/system_errors.h"

// What the saved inventory answers to a request that would change the system.
constexpr uint32_t kErrorSavedInventory = kErrorNotSupported;

class FileInventory : public ServiceManagerApi,
                      public ServiceRegistryApi,
                      public ConfigurationSource {
public:
    // Takes the records and indexes them by name. Null when memory runs out; reached is then the
    // index of the record it had come to, and records are as they were.
    static std::unique_ptr<FileInventory> Make(std::vector<InventoryRecord>& records,
                                               std::size_t& reached);

    const std::vector<InventoryRecord>& Records() const { return records_; }
    // Whether the file holds the configuration (one of the first version does not).
    bool HoldsConfiguration() const { return records_.empty() || records_.front().version > 1; }

    // ServiceManagerApi: the records of each kind in file order; no sessions.
    std::string WindowsDirectory() override { return std::string(); }
    EnumerationResult EnumerateServices(uint32_t serviceType,
                                        std::vector<ServiceEntry>& entries) override;
    uint32_t OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override;
    // The manager is not there to ask: the configuration comes from the records (below).
    uint32_t OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) override;

    // ConfigurationSource: the record's own configuration columns, as saved (empty for a file of
    // the first version, which had none).
    void ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) override;

    // ServiceRegistryApi: the Services key holds one key per record, named as the enumeration
    // names it; a record's key holds "ImagePath", "Description", "Group" and "Start", its
    // "Parameters" key "ServiceDll"; nothing else exists and nothing can be written.
    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override;

private:
    class Key;
    FileInventory() = default;
    // The record whose key is named name, as the catalogue forms it from the enumerated name; of
    // two records of one name, the first.
    bool FindRecord(std::u16string_view name, std::size_t& index) const;
    // The value of a record's column, as the registry would hand it over.
    RegistryValue MakeValue(const char* name, InventoryColumn column, std::size_t index) const;
    const std::string& Text(InventoryColumn column, std::size_t index) const;

    std::vector<InventoryRecord> records_;
    std::vector<std::string> storedImagePaths_;  // per record, as the registry would hold it
    std::vector<std::u16string> names_;          // per record its name, as keys are named
    // The records in the order of their names (of equal names, in file order): a binary search
    // finds a key in log n comparisons, whatever names a file holds. A hash table could be made to
    // put every name in one bucket.
    std::vector<std::size_t> byName_;
};

// A saved inventory read from a file, and the catalogue already loaded from it.
struct LoadedInventory {
    std::unique_ptr<FileInventory> inventory;
    std::unique_ptr<CServiceList> catalogue;  // on inventory, so it goes first
};

// Reads a saved inventory: the file's records, then a catalogue loaded from them, which must give
// back every record's catalogue fields exactly as the file holds them (or, in a file of the first
// version, as that version's rules gave them: EarlierRulesGave); a record it cannot (a svchost
// group that does not follow from the image path and service DLL, say) refuses the file at that
// record's line. Of all
// that is wrong, the first line is named, whatever finds it. Memory that runs out refuses the file
// (NoMemory) at the line of the record the loading had come to, never with a shorter catalogue.
// On failure loaded is empty.
bool LoadInventory(const char* data, std::size_t size, LoadedInventory& loaded,
                   InventoryError& error);

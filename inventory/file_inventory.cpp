#include "inventory/file_inventory.h"

#include <cstring>
#include <new>

#include "platform/ascii_case.h"
#include "platform/utf16.h"

namespace {

int32_t KindOf(uint32_t serviceType) {
    return serviceType == kServiceTypeWin32    ? kKindWin32
           : serviceType == kServiceTypeDriver ? kKindDriver
                                               : 0;
}

// The stored image path that the catalogue's rewriting turns back into the saved one: the saved
// path itself when the rewriting leaves it alone, otherwise the saved path behind an empty quoted
// part, which the rewriting drops and nothing else.
std::string StoredImagePath(const std::string& saved) {
    return CServiceList::NormalizedImagePath("", saved) == saved ? saved : "\"\"" + saved;
}

// The values a record stands behind: four in its service key, one in its "Parameters" key, each
// from the record's column of that name.
struct ValueDef {
    const char* name;
    bool inParameters;
    InventoryColumn column;
};
const ValueDef kValues[] = {
    {"ImagePath", false, kInvImagePath},  {"Description", false, kInvDescription},
    {"Group", false, kInvGroup},          {"Start", false, kInvStart},
    {"ServiceDll", true, kInvServiceDll},
};

const ValueDef* FindValueDef(const char* valueName) {
    for (const ValueDef& def : kValues) {
        if (valueName && EqualsNoCase(def.name, valueName))
            return &def;
    }
    return nullptr;
}

}  // namespace

FileInventory::FileInventory(std::vector<InventoryRecord> records) : records_(std::move(records)) {
    keyNames_.reserve(records_.size());
    storedImagePaths_.reserve(records_.size());
    for (const InventoryRecord& record : records_) {
        // Exactly as the catalogue forms the name from the one the enumeration gives.
        keyNames_.push_back(Utf8ToUtf16(record.Text(kInvServiceName).c_str()));
        storedImagePaths_.push_back(StoredImagePath(record.Text(kInvImagePath)));
    }
    // The names stay where they are from here on, so the index can refer to them. A name that two
    // records share answers for the first.
    for (std::size_t i = 0; i < records_.size(); ++i)
        keys_.emplace(keyNames_[i], i);
}

bool FileInventory::EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) {
    entries.clear();
    const int32_t kind = KindOf(serviceType);
    if (kind == 0)
        return false;
    for (const InventoryRecord& record : records_) {
        if (static_cast<int32_t>(record.Number(kInvServiceKind)) != kind)
            continue;
        ServiceEntry entry;
        entry.serviceName = record.Text(kInvServiceName);
        entry.displayName = record.Text(kInvDisplayName);
        entry.status.dwServiceType = record.Number(kInvServiceType);
        entry.status.dwCurrentState = record.Number(kInvCurrentState);
        entries.push_back(std::move(entry));
    }
    return true;
}

uint32_t FileInventory::OpenServiceSession(const std::u16string&,
                                           std::unique_ptr<ServiceSession>& session) {
    session.reset();
    return kErrorSavedInventory;
}

bool FileInventory::FindRecord(const std::u16string& name, std::size_t& index) const {
    auto found = keys_.find(std::u16string_view(name));
    if (found == keys_.end())
        return false;
    index = found->second;
    return true;
}

RegistryValue FileInventory::MakeValue(const char* name, InventoryColumn column,
                                       std::size_t index) const {
    RegistryValue value;
    value.name = name;
    if (column == kInvStart) {
        const uint32_t number = records_[index].Number(kInvStart);
        value.type = kRegDword;
        value.data.resize(sizeof number);
        std::memcpy(value.data.data(), &number, sizeof number);
        return value;
    }
    const std::string& text = Text(column, index);
    value.type = kRegSz;
    value.data.assign(text.c_str(), text.c_str() + text.size() + 1);
    return value;
}

const std::string& FileInventory::Text(InventoryColumn column, std::size_t index) const {
    return column == kInvImagePath ? storedImagePaths_[index] : records_[index].Text(column);
}

// The Services key (no record), a record's key or its "Parameters" key. The catalogue's reads
// come here, a few per record.
class FileInventory::Key : public RegistryKey {
public:
    enum class Level { Services, Service, Parameters };
    Key(const FileInventory& inventory, Level level, std::size_t record = 0)
        : inventory_(inventory), level_(level), record_(record) {}

    std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) override {
        std::size_t record = 0;
        if (level_ == Level::Services && inventory_.FindRecord(name, record))
            return Make(Level::Service, record);
        if (level_ == Level::Service && EqualsNoCase(Utf16ToUtf8(name), "Parameters"))
            return Make(Level::Parameters, record_);
        return nullptr;
    }

    bool GetValue(const char* valueName, RegistryValue& value) override {
        const ValueDef* def = FindValueDef(valueName);
        if (!def || level_ == Level::Services || def->inParameters != (level_ == Level::Parameters))
            return false;
        // A start type that could not be read was saved as nothing: it reads as missing again.
        if (def->column == kInvStart && inventory_.records_[record_].Text(kInvStart).empty())
            return false;
        value = inventory_.MakeValue(def->name, def->column, record_);
        return true;
    }

    bool LoadIndirectString(const char*, std::string&) override {
        // Descriptions were saved resolved; one still indirect could not be resolved when saved.
        return false;
    }

    std::unique_ptr<RegistryKey> Make(Level level, std::size_t record) const {
        return std::unique_ptr<RegistryKey>(new (std::nothrow) Key(inventory_, level, record));
    }

private:
    const FileInventory& inventory_;
    Level level_;
    std::size_t record_;
};

std::unique_ptr<RegistryKey> FileInventory::OpenKey(const std::u16string& path) {
    if (!EqualsNoCase(Utf16ToUtf8(path), kServicesKey))
        return nullptr;
    return std::unique_ptr<RegistryKey>(new (std::nothrow) Key(*this, Key::Level::Services));
}

bool LoadInventory(const char* data, std::size_t size, LoadedInventory& loaded,
                   InventoryError& error) {
    loaded = LoadedInventory();
    std::vector<InventoryRecord> records;
    if (!ParseInventoryCsv(data, size, records, error))
        return false;
    std::unique_ptr<FileInventory> inventory(new (std::nothrow) FileInventory(std::move(records)));
    std::unique_ptr<CServiceList> catalogue(
        inventory ? new (std::nothrow) CServiceList(*inventory, *inventory) : nullptr);
    if (!catalogue) {
        error.problem = InventoryProblem::TooLarge;
        return false;
    }
    catalogue->Reload();

    // The catalogue puts every Win32 record before every driver, each kind in file order.
    std::vector<const InventoryRecord*> expected;
    for (int32_t kind : {kKindWin32, kKindDriver}) {
        for (const InventoryRecord& record : inventory->Records()) {
            if (static_cast<int32_t>(record.Number(kInvServiceKind)) == kind)
                expected.push_back(&record);
        }
    }
    auto refuse = [&](std::size_t index) {
        error.problem = InventoryProblem::Record;
        error.line = index < expected.size() ? expected[index]->line : 0;
        return false;
    };
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    std::string fields[kInventoryColumnCount];
    std::size_t index = 0;
    for (bool more = catalogue->GetFirst(cursor, item); more;
         more = catalogue->GetNext(cursor, item), ++index) {
        if (index >= expected.size())
            return refuse(index);
        InventoryFields(*item, fields);
        for (int i = 0; i < kInventoryColumnCount; ++i) {
            if (fields[i] != expected[index]->fields[i])
                return refuse(index);
        }
    }
    if (index != expected.size())
        return refuse(index);
    loaded.inventory = std::move(inventory);
    loaded.catalogue = std::move(catalogue);
    return true;
}

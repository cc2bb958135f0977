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

// The key paths exactly as the catalogue forms them from the name the enumeration gives.
std::u16string ServiceKeyPath(const std::string& name) {
    return std::u16string(kServicesKeyW) + u"\\" + Utf8ToUtf16(name.c_str());
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
    keyPaths_.reserve(records_.size() * 2);
    storedImagePaths_.reserve(records_.size());
    for (const InventoryRecord& record : records_) {
        keyPaths_.push_back(ServiceKeyPath(record.Text(kInvServiceName)));
        keyPaths_.push_back(keyPaths_.back() + u"\\Parameters");
        storedImagePaths_.push_back(StoredImagePath(record.Text(kInvImagePath)));
    }
    // The paths stay where they are from here on, so the indexes can refer to them. A path that
    // two records share (the same name twice) answers for the first.
    for (std::size_t i = 0; i < records_.size(); ++i) {
        serviceKeys_.emplace(keyPaths_[2 * i], i);
        parametersKeys_.emplace(keyPaths_[2 * i + 1], i);
    }
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

bool FileInventory::FindRecord(const KeyIndex& keys, const std::u16string& subKey,
                               std::size_t& index) const {
    auto found = keys.find(std::u16string_view(subKey));
    if (found == keys.end())
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

bool FileInventory::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    const std::u16string key = Utf8ToUtf16(subKey ? subKey : "");
    std::size_t index = 0;
    if (!FindRecord(serviceKeys_, key, index) && !FindRecord(parametersKeys_, key, index))
        return false;
    for (const ValueDef& def : kValues) {
        RegistryValue value;
        if (GetValue(key, def.name, value))
            values.push_back(std::move(value));
    }
    return true;
}

bool FileInventory::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    return GetValue(Utf8ToUtf16(subKey ? subKey : ""), valueName, value);
}

// The catalogue's reads come here, a few per record.
bool FileInventory::GetValue(const std::u16string& subKey, const char* valueName,
                             RegistryValue& value) {
    const ValueDef* def = FindValueDef(valueName);
    std::size_t index = 0;
    if (!def || !FindRecord(def->inParameters ? parametersKeys_ : serviceKeys_, subKey, index))
        return false;
    // A start type that could not be read was saved as nothing: it reads as missing again.
    if (def->column == kInvStart && records_[index].Text(kInvStart).empty())
        return false;
    value = MakeValue(def->name, def->column, index);
    return true;
}

bool FileInventory::LoadIndirectString(const std::u16string&, const char*, std::string&) {
    // Descriptions were saved resolved; one still indirect could not be resolved when saved.
    return false;
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

#include "inventory/file_inventory.h"

#include <cstring>
#include <new>

#include "catalogue/service_list.h"
#include "catalogue/text.h"

namespace {

constexpr uint32_t kRegSz = 1;     // REG_SZ: no expansion needed, the texts are final
constexpr uint32_t kRegDword = 4;  // REG_DWORD

int32_t KindOf(uint32_t serviceType) {
    return serviceType == kServiceTypeWin32    ? kKindWin32
           : serviceType == kServiceTypeDriver ? kKindDriver
                                               : 0;
}

bool SameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
        char y = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}

// The key paths exactly as the catalogue forms them, cut where it cuts them.
std::string ServiceKeyPath(const std::string& name) {
    char key[kTextBytes];
    FormatText(key, sizeof key, kTextMaxChars, "%s\\%s", kServicesKey, name.c_str());
    return key;
}
std::string ParametersKeyPath(const std::string& name) {
    char key[kTextBytes];
    FormatText(key, sizeof key, kTextMaxChars, "%s\\%s\\Parameters", kServicesKey, name.c_str());
    return key;
}

// The stored image path that the catalogue's rewriting turns back into the saved one: the saved
// path itself when the rewriting leaves it alone, otherwise the saved path behind an empty quoted
// part, which the rewriting drops and nothing else.
std::string StoredImagePath(const std::string& saved) {
    char rewritten[kTextBytes];
    CopyText(rewritten, sizeof rewritten, saved.c_str());
    CServiceList::NormalizeImagePath("", rewritten);
    return saved == rewritten ? saved : "\"\"" + saved;
}

RegistryValue TextValue(const std::string& text) {
    RegistryValue value;
    value.type = kRegSz;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return value;
}

RegistryValue DwordValue(uint32_t number) {
    RegistryValue value;
    value.type = kRegDword;
    value.data.resize(sizeof number);
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

// The values a record stands behind: four in its service key, one in its "Parameters" key.
struct ValueDef {
    const char* name;
    bool inParameters;
    RegistryValue (*make)(const InventoryRecord& record);
};
const ValueDef kValues[] = {
    {"ImagePath", false,
     [](const InventoryRecord& r) { return TextValue(StoredImagePath(r.Text(kInvImagePath))); }},
    {"Description", false,
     [](const InventoryRecord& r) { return TextValue(r.Text(kInvDescription)); }},
    {"Group", false, [](const InventoryRecord& r) { return TextValue(r.Text(kInvGroup)); }},
    {"Start", false, [](const InventoryRecord& r) { return DwordValue(r.Number(kInvStart)); }},
    {"ServiceDll", true,
     [](const InventoryRecord& r) { return TextValue(r.Text(kInvServiceDll)); }},
};

}  // namespace

FileInventory::FileInventory(std::vector<InventoryRecord> records) : records_(std::move(records)) {
    // A key path that two records share (names cut at the same length) answers for the first.
    for (std::size_t i = 0; i < records_.size(); ++i) {
        serviceKeys_.emplace(ServiceKeyPath(records_[i].Text(kInvServiceName)), i);
        parametersKeys_.emplace(ParametersKeyPath(records_[i].Text(kInvServiceName)), i);
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

uint32_t FileInventory::OpenServiceSession(const char*, std::unique_ptr<ServiceSession>& session) {
    session.reset();
    return kErrorSavedInventory;
}

const InventoryRecord* FileInventory::Find(const KeyIndex& keys, const char* subKey) const {
    if (subKey == nullptr)
        return nullptr;
    auto found = keys.find(subKey);
    return found == keys.end() ? nullptr : &records_[found->second];
}

bool FileInventory::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    const InventoryRecord* service = Find(serviceKeys_, subKey);
    const InventoryRecord* parameters = Find(parametersKeys_, subKey);
    for (const ValueDef& def : kValues) {
        if (const InventoryRecord* record = def.inParameters ? parameters : service) {
            values.push_back(def.make(*record));
            values.back().name = def.name;
        }
    }
    return service || parameters;
}

bool FileInventory::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    for (const ValueDef& def : kValues) {
        if (!valueName || !SameName(def.name, valueName))
            continue;
        const InventoryRecord* record =
            Find(def.inParameters ? parametersKeys_ : serviceKeys_, subKey);
        if (!record)
            return false;
        value = def.make(*record);
        value.name = def.name;
        return true;
    }
    return false;
}

bool FileInventory::GetValue(const char* subKey, const char* valueName, void* dest, uint32_t size) {
    RegistryValue value;
    if (!ReadValue(subKey, valueName, value) || value.data.size() > size)
        return false;
    std::memcpy(dest, value.data.data(), value.data.size());
    return true;
}

bool FileInventory::LoadIndirectString(const char*, const char*, char*, uint32_t) {
    // Descriptions were saved resolved; one still indirect could not be resolved when saved.
    return false;
}

uint32_t FileInventory::SetDwordValue(const char*, const char*, uint32_t) {
    return kErrorSavedInventory;
}

bool LoadInventory(const char* data, std::size_t size, std::unique_ptr<FileInventory>& inventory,
                   InventoryError& error) {
    inventory.reset();
    std::vector<InventoryRecord> records;
    if (!ParseInventoryCsv(data, size, records, error))
        return false;
    std::unique_ptr<FileInventory> loaded(new (std::nothrow) FileInventory(std::move(records)));
    if (!loaded) {
        error.problem = InventoryProblem::TooLarge;
        return false;
    }

    // The catalogue puts every Win32 record before every driver, each kind in file order.
    std::vector<const InventoryRecord*> expected;
    for (int32_t kind : {kKindWin32, kKindDriver}) {
        for (const InventoryRecord& record : loaded->Records()) {
            if (static_cast<int32_t>(record.Number(kInvServiceKind)) == kind)
                expected.push_back(&record);
        }
    }
    CServiceList catalogue(*loaded, *loaded);
    catalogue.Reload();
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    std::string fields[kInventoryColumnCount];
    std::size_t index = 0;
    for (bool more = catalogue.GetFirst(cursor, item); more && index < expected.size();
         more = catalogue.GetNext(cursor, item), ++index) {
        InventoryFields(*item, fields);
        for (int i = 0; i < kInventoryColumnCount; ++i) {
            if (fields[i] != expected[index]->fields[i]) {
                error.problem = InventoryProblem::Record;
                error.line = expected[index]->line;
                return false;
            }
        }
    }
    if (index < expected.size() || catalogue.GetCount() != expected.size()) {
        error.problem = InventoryProblem::Record;
        error.line = index < expected.size() ? expected[index]->line : 0;
        return false;
    }
    inventory = std::move(loaded);
    return true;
}

#include "inventory/file_inventory.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/utf16.h"

namespace {

int32_t KindOf(uint32_t serviceType) {
    return serviceType == kServiceTypeWin32    ? kKindWin32
           : serviceType == kServiceTypeDriver ? kKindDriver
                                               : 0;
}

// The stored image path that the catalogue's rewriting turns back into the saved one: the saved
// path itself when the rewriting leaves it alone, otherwise the saved path behind "\??\", which the
// rewriting drops and nothing else.
std::string StoredImagePath(const std::string& saved) {
    return CServiceList::NormalizedImagePath("", saved) == saved ? saved : "\\??\\" + saved;
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

std::unique_ptr<FileInventory> FileInventory::Make(std::vector<InventoryRecord>& records,
                                                   std::size_t& reached) {
    reached = 0;
    try {
        std::unique_ptr<FileInventory> inventory(new FileInventory());
        inventory->names_.reserve(records.size());
        inventory->storedImagePaths_.reserve(records.size());
        inventory->byName_.reserve(records.size());
        for (; reached < records.size(); ++reached) {
            const InventoryRecord& record = records[reached];
            inventory->names_.push_back(Utf8ToUtf16(record.Text(kInvServiceName).c_str()));
            inventory->storedImagePaths_.push_back(StoredImagePath(record.Text(kInvImagePath)));
            inventory->byName_.push_back(reached);
        }
        const std::vector<std::u16string>& names = inventory->names_;
        std::sort(inventory->byName_.begin(), inventory->byName_.end(),
                  [&names](std::size_t a, std::size_t b) {
                      const int order = names[a].compare(names[b]);
                      return order != 0 ? order < 0 : a < b;
                  });
        inventory->records_ = std::move(records);
        return inventory;
    } catch (const std::bad_alloc&) {  // the containers' failed allocation ends here
        return nullptr;
    }
}

EnumerationResult FileInventory::EnumerateServices(uint32_t serviceType,
                                                   std::vector<ServiceEntry>& entries) {
    entries.clear();
    EnumerationResult result;
    const int32_t kind = KindOf(serviceType);
    if (kind == 0) {
        result.error = kErrorInvalidParameter;
        return result;
    }
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
    return result;
}

uint32_t FileInventory::OpenServiceSession(const std::u16string&, uint32_t,
                                           std::unique_ptr<ServiceSession>& session) {
    session.reset();
    return kErrorSavedInventory;
}

uint32_t FileInventory::OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) {
    query.reset();
    return kErrorSavedInventory;
}

void FileInventory::ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) {
    config = ServiceConfiguration();
    std::size_t index = 0;
    if (!FindRecord(item.lpServiceNameW, index))
        return;
    const InventoryRecord& record = records_[index];
    config.account = record.Text(kInvObjectName);
    config.delayedAutoStart = record.Text(kInvDelayedAutoStart);
    config.triggerStart = record.Text(kInvTriggerStart);
    config.errorControl = record.Text(kInvErrorControl);
    config.dependOnService = record.Text(kInvDependOnService);
    config.dependOnGroup = record.Text(kInvDependOnGroup);
    config.storedImagePath = record.Text(kInvStoredImagePath);
    config.sha256 = record.Text(kInvSha256);
    config.unquotedPath = record.Text(kInvUnquotedPath);
}

bool FileInventory::FindRecord(std::u16string_view name, std::size_t& index) const {
    const auto found = std::lower_bound(
        byName_.begin(), byName_.end(), name,
        [this](std::size_t i, std::u16string_view key) { return names_[i] < key; });
    if (found == byName_.end() || names_[*found] != name)
        return false;
    index = *found;
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
            return Make(inventory_, Level::Service, record);
        if (level_ == Level::Service && EqualsNoCase(Utf16ToUtf8(name), "Parameters"))
            return Make(inventory_, Level::Parameters, record_);
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

    // Like the containers, throws std::bad_alloc when memory runs out: the catalogue counts it.
    static std::unique_ptr<RegistryKey> Make(const FileInventory& inventory, Level level,
                                             std::size_t record) {
        return std::unique_ptr<RegistryKey>(new Key(inventory, level, record));
    }

private:
    const FileInventory& inventory_;
    Level level_;
    std::size_t record_;
};

std::unique_ptr<RegistryKey> FileInventory::OpenKey(const std::u16string& path) {
    if (!EqualsNoCase(Utf16ToUtf8(path), kServicesKey))
        return nullptr;
    return Key::Make(*this, Key::Level::Services, 0);
}

namespace {

// Loads a catalogue from the records and checks that it gives back each as the file holds it.
// False with the first line whose record comes back otherwise (Record), or with the line of the
// record the loading had come to when memory ran out (NoMemory).
bool LoadAndCheck(std::vector<InventoryRecord>& records, LoadedInventory& loaded,
                  InventoryError& error) {
    error = InventoryError();
    auto refuse = [&error](InventoryProblem problem, std::size_t line) {
        error.problem = problem;
        error.line = line;
        return false;
    };
    const std::size_t firstLine = records.empty() ? 1 : records.front().line;
    std::size_t reached = 0;
    std::unique_ptr<FileInventory> inventory = FileInventory::Make(records, reached);
    if (!inventory)
        return refuse(InventoryProblem::NoMemory,
                      reached < records.size() ? records[reached].line : firstLine);
    std::unique_ptr<CServiceList> catalogue(new (std::nothrow)
                                                CServiceList(*inventory, *inventory));
    // The catalogue puts every Win32 record before every driver, each kind in file order.
    std::vector<const InventoryRecord*> expected;
    std::size_t index = 0;
    try {
        if (!catalogue)
            return refuse(InventoryProblem::NoMemory, firstLine);
        expected.reserve(inventory->Records().size());
        for (int32_t kind : {kKindWin32, kKindDriver}) {
            for (const InventoryRecord& record : inventory->Records()) {
                if (static_cast<int32_t>(record.Number(kInvServiceKind)) == kind)
                    expected.push_back(&record);
            }
        }
        catalogue->Reload();
        const CServiceList::Shortfall& shortfall = catalogue->LoadShortfall();
        if (shortfall.entries != 0)
            return refuse(InventoryProblem::NoMemory, shortfall.firstEntry < expected.size()
                                                          ? expected[shortfall.firstEntry]->line
                                                          : firstLine);
        // Every record is compared: the catalogue's order is not the file's, and the first line
        // that is wrong is the one to name.
        std::size_t badLine = 0;
        auto bad = [&badLine](std::size_t line) {
            if (badLine == 0 || line < badLine)
                badLine = line;
        };
        int32_t cursor = 0;
        const SERVICE_ITEM* item = nullptr;
        std::string fields[kInventoryColumnCount];
        const ServiceConfiguration none;  // the configuration is not the catalogue's to check
        for (bool more = catalogue->GetFirst(cursor, item); more;
             more = catalogue->GetNext(cursor, item), ++index) {
            if (index >= expected.size()) {
                bad(expected.empty() ? firstLine : expected.back()->line);
                break;
            }
            InventoryFields(*item, none, fields);
            const InventoryRecord& record = *expected[index];
            for (int i = 0; i < kCatalogueColumnCount; ++i) {
                const auto column = static_cast<InventoryColumn>(i);
                if (fields[i] != record.fields[i] && !EarlierRulesGave(record, column)) {
                    bad(record.line);
                    break;
                }
            }
        }
        for (; index < expected.size(); ++index)
            bad(expected[index]->line);
        if (badLine != 0)
            return refuse(InventoryProblem::Record, badLine);
    } catch (const std::bad_alloc&) {
        return refuse(InventoryProblem::NoMemory,
                      index < expected.size() ? expected[index]->line : firstLine);
    }
    loaded.inventory = std::move(inventory);
    loaded.catalogue = std::move(catalogue);
    return true;
}

}  // namespace

bool LoadInventory(const char* data, std::size_t size, LoadedInventory& loaded,
                   InventoryError& error) {
    loaded = LoadedInventory();
    std::vector<InventoryRecord> records;
    if (ParseInventoryCsv(data, size, records, error))
        return LoadAndCheck(records, loaded, error);
    // Refused at a line the reading found. A record before it may be wrong in a way that only
    // loading shows; then that one's line is the first bad line.
    InventoryError earlier;
    LoadedInventory unused;
    if (!records.empty() && !LoadAndCheck(records, unused, earlier) &&
        earlier.problem == InventoryProblem::Record && earlier.line < error.line)
        error = earlier;
    return false;
}

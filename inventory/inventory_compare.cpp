#include "inventory/inventory_compare.h"

#include <algorithm>
#include <utility>

#include "inventory/csv.h"
#include "platform/ascii_case.h"

namespace {

// The fields compared, in report order. Paths, accounts, dependencies and groups are names Windows
// compares without regard to case; the other fields exactly.
struct ComparedField {
    InventoryColumn column;
    bool configuration;  // compared only when both inventories hold the configuration
    bool ignoresCase;
};
const ComparedField kFields[] = {
    {kInvStart, false, false},
    {kInvImagePath, false, true},  // StoredImagePath in its place when both hold it (below)
    {kInvServiceDll, false, true},
    {kInvObjectName, true, true},
    {kInvDelayedAutoStart, true, false},
    {kInvDependOnService, true, true},
    {kInvDependOnGroup, true, true},
    {kInvGroup, false, true},
    {kInvDescription, false, false},
    {kInvSha256, true, false},
};

// Each record's folded name and its index, sorted by name (of equal names, the first first).
std::vector<std::pair<std::string, std::size_t>> IndexByName(
    const std::vector<InventoryRecord>& records) {
    std::vector<std::pair<std::string, std::size_t>> index;
    index.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        index.emplace_back(FoldAscii(records[i].Text(kInvServiceName)), i);
    std::sort(index.begin(), index.end());
    return index;
}

// The record of that folded name, or null; of two records of one name, the first counts.
const std::pair<std::string, std::size_t>* Lookup(
    const std::vector<std::pair<std::string, std::size_t>>& index, const std::string& folded) {
    const auto found = std::lower_bound(index.begin(), index.end(), folded,
                                        [](const std::pair<std::string, std::size_t>& entry,
                                           const std::string& name) { return entry.first < name; });
    return found != index.end() && found->first == folded ? &*found : nullptr;
}

void AppendRow(std::string& report, const std::string& computer, const std::string& service,
               const char* change, const std::string& field, const std::string& baseline,
               const std::string& current) {
    const std::string fields[] = {computer, service, change, field, baseline, current};
    AppendCsvRecord(report, fields, 6);
}

}  // namespace

void ComparedInventoryOf(LoadedInventory& loaded, const std::string& computer,
                         ComparedInventory& compared) {
    compared.computer = computer;
    compared.holdsConfiguration = loaded.inventory->HoldsConfiguration();
    InventoryRecordsOf(*loaded.catalogue, *loaded.inventory, compared.records);
}

std::string ComparisonReportHeader() {
    return "Computer,ServiceName,Change,Field,Baseline,Current\r\n";
}

InventoryComparison::InventoryComparison(const ComparedInventory& baseline, bool state)
    : baseline_(baseline), state_(state), byName_(IndexByName(baseline.records)) {}

std::size_t InventoryComparison::Compare(const ComparedInventory& machine,
                                         std::string& report) const {
    const std::vector<std::pair<std::string, std::size_t>> machineByName =
        IndexByName(machine.records);
    const bool configuration = baseline_.holdsConfiguration && machine.holdsConfiguration;
    const std::string none;
    std::size_t rows = 0;
    for (std::size_t i = 0; i < baseline_.records.size(); ++i) {
        const InventoryRecord& before = baseline_.records[i];
        const std::string folded = FoldAscii(before.Text(kInvServiceName));
        if (Lookup(byName_, folded)->second != i)
            continue;  // a second record of a name the baseline already has
        const auto* found = Lookup(machineByName, folded);
        if (!found) {
            AppendRow(report, machine.computer, before.Text(kInvServiceName), "removed", none, none,
                      none);
            ++rows;
            continue;
        }
        const InventoryRecord& now = machine.records[found->second];
        auto compare = [&](InventoryColumn column, bool ignoresCase) {
            const std::string& a = before.Text(column);
            const std::string& b = now.Text(column);
            if (ignoresCase ? EqualsNoCase(a, b) : a == b)
                return;
            AppendRow(report, machine.computer, now.Text(kInvServiceName), "changed",
                      InventoryColumnName(column), a, b);
            ++rows;
        };
        for (const ComparedField& field : kFields) {
            if (field.configuration && !configuration)
                continue;
            // The path as stored is the machine's own ("%SystemRoot%\..."): where both have it,
            // a Windows folder elsewhere is no difference.
            const InventoryColumn column =
                field.column == kInvImagePath && configuration ? kInvStoredImagePath : field.column;
            compare(column, field.ignoresCase);
        }
        if (state_)
            compare(kInvCurrentState, false);
    }
    for (std::size_t i = 0; i < machine.records.size(); ++i) {
        const std::string folded = FoldAscii(machine.records[i].Text(kInvServiceName));
        if (Lookup(machineByName, folded)->second != i || Lookup(byName_, folded))
            continue;
        AppendRow(report, machine.computer, machine.records[i].Text(kInvServiceName), "added", none,
                  none, none);
        ++rows;
    }
    return rows;
}

std::string ComputerOfInventoryFile(const std::string& fileName) {
    // "-services-" and a date of the form yyyy-mm-dd, then ".csv".
    const std::string tail = "-services-0000-00-00.csv";
    if (fileName.size() <= tail.size())
        return fileName;
    const std::string::size_type at = fileName.size() - tail.size();
    const std::string folded = FoldAscii(fileName.substr(at));
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const bool digit = tail[i] == '0';
        if (digit ? folded[i] < '0' || folded[i] > '9' : folded[i] != tail[i])
            return fileName;
    }
    return fileName.substr(0, at);
}

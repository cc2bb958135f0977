// A fleet against its baseline: the inventory of each machine compared with a baseline's, service
// by service (names without regard to case, as Windows compares them), one report row per
// difference. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "inventory/file_inventory.h"
#include "inventory/inventory_csv.h"

// One machine's inventory as a comparison takes it: its records as this version writes them (a
// saved file's rebuilt through its catalogue, so that a file of the first version is read by
// today's rules, as the live system is).
struct ComparedInventory {
    std::string computer;
    std::vector<InventoryRecord> records;
    bool holdsConfiguration = true;  // false for a file of the first version
};

// A saved inventory, loaded and checked, as a comparison takes it.
void ComparedInventoryOf(LoadedInventory& loaded, const std::string& computer,
                         ComparedInventory& compared);

// The report's header: "Computer,ServiceName,Change,Field,Baseline,Current" and CRLF. Its rows
// follow the saved inventory's conventions (RFC 4180, CRLF).
std::string ComparisonReportHeader();

class InventoryComparison {
public:
    // The baseline is indexed once and must outlive the comparison. With state, the run state
    // (CurrentState) is compared too.
    InventoryComparison(const ComparedInventory& baseline, bool state);

    // Appends one row to report for each difference of the machine from the baseline: a service
    // only the baseline has ("removed"), one only the machine has ("added"), and each compared
    // field that differs ("changed", with the field's name and both values), in the baseline's
    // order, then the added ones in the machine's. A configuration field is compared only when
    // both inventories hold the configuration. Returns the number of rows appended.
    std::size_t Compare(const ComparedInventory& machine, std::string& report) const;

private:
    const ComparedInventory& baseline_;
    bool state_;
    std::vector<std::pair<std::string, std::size_t>> byName_;  // folded name, record; sorted
};

// The computer a saved file comes from: the part before "-services-<yyyy-mm-dd>.csv" (the name
// Save proposes, any case), otherwise the file name itself. fileName is the name without folders.
std::string ComputerOfInventoryFile(const std::string& fileName);

// The saved inventory of services: the whole catalogue as one CSV file (UTF-8 with a byte-order
// mark so that spreadsheets show the Chinese texts, one header row, one row per record in catalogue
// order). Numbers are written as decimal numbers and texts as the catalogue holds them. Reading is
// all or nothing: the first line that breaks the format refuses the whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/service_list.h"

// Columns of the file, in file order. A new field of the record is one more column here and one
// more row in the column table (inventory_csv.cpp).
enum InventoryColumn {
    kInvServiceName,
    kInvDisplayName,
    kInvServiceKind,
    kInvServiceType,
    kInvCurrentState,
    kInvStart,
    kInvDescription,
    kInvImagePath,
    kInvServiceDll,
    kInvGroup,
    kInvSvchostGroup,
    kInventoryColumnCount
};

// A file is refused beyond this size: it could not come from any real system.
constexpr std::size_t kMaxInventoryBytes = 64u * 1024 * 1024;
// Nor with more records than this. A Windows system holds about a thousand services and drivers
// (a server with many roles a few thousand): a hundred times that is still far from a real one,
// and its catalogue (about 5 KB a record) fits a 32-bit process. A file with more is refused
// before anything is loaded.
constexpr std::size_t kMaxInventoryRecords = 100000;
// A service name holds at most 256 characters (CreateService refuses a longer one).
constexpr std::size_t kMaxServiceNameChars = 256;

// One record as the file holds it: every field's text, already checked against its column.
struct InventoryRecord {
    std::string fields[kInventoryColumnCount];
    std::size_t line = 0;  // where the record begins, from 1

    const std::string& Text(InventoryColumn column) const { return fields[column]; }
    uint32_t Number(InventoryColumn column) const;
};

enum class InventoryProblem {
    None,
    TooLarge,   // larger than kMaxInventoryBytes
    TooMany,    // more than kMaxInventoryRecords records
    NoMemory,   // not enough memory to load it; the line is the one the loading had come to
    Encoding,   // not UTF-8, or a NUL byte
    Header,     // the first line is not the header of such a file
    Truncated,  // the file ends inside a record
    Quoting,    // quotes used against the rules
    LineEnd,    // a line break that is not CRLF
    Columns,    // a record with too few or too many fields
    Number,     // a number that is not one, or is out of its column's range
    Text,       // a text longer than its field holds, or a service name empty or too long
    Record,     // a record the catalogue cannot hold as it stands (see LoadInventory)
};

struct InventoryError {
    InventoryProblem problem = InventoryProblem::None;
    std::size_t line = 0;  // the first bad line, from 1 (0 for the whole file)
};

// The text of each column for a record (texts as well-formed UTF-8).
void InventoryFields(const SERVICE_ITEM& item, std::string (&fields)[kInventoryColumnCount]);

// The whole catalogue, both kinds, as a file's bytes.
void WriteInventoryCsv(const CServiceList& catalogue, std::string& out);

// Reads a file's bytes into records, in file order. False with the first problem and its line;
// records then holds the records that end before that line (whole and checked), so that a record
// wrong in a way only loading shows can still be found before it (LoadInventory); none for a file
// refused as a whole or for want of memory.
bool ParseInventoryCsv(const char* data, std::size_t size, std::vector<InventoryRecord>& records,
                       InventoryError& error);

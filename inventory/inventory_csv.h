// The saved inventory of services: the whole catalogue as one CSV file (UTF-8 with a byte-order
// mark so that spreadsheets show the Chinese texts, one header row, one row per record in catalogue
// order), each record with its service's full configuration after the catalogue's fields. Numbers
// are written as decimal numbers and texts as the catalogue holds them. Reading is all or nothing:
// the first line that breaks the format refuses the whole file.
//
// The header names the file's version. Version 1 holds the catalogue's eleven columns; version 2
// adds its number ("FormatVersion", in every row) and the configuration columns after them. A
// later version adds its columns after these again, with its own number, and reads every earlier
// version by its header. Files of every known version open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/service_configuration.h"
#include "catalogue/service_list.h"

// Columns of the file, in file order: the catalogue's fields (version 1), then the format's
// version and the configuration (version 2). A new field is one more column at the end, one more
// row in the column table (inventory_csv.cpp) and a new version.
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
    kInvFormatVersion,
    kInvObjectName,
    kInvDelayedAutoStart,
    kInvTriggerStart,
    kInvErrorControl,
    kInvDependOnService,
    kInvDependOnGroup,
    kInvStoredImagePath,
    kInvSha256,
    kInvUnquotedPath,
    kInventoryColumnCount
};

// The version this program writes, and the columns each version holds.
constexpr uint32_t kInventoryVersion = 2;
constexpr int kCatalogueColumnCount = kInvFormatVersion;  // version 1: the catalogue's fields
constexpr int InventoryColumnsOf(uint32_t version) {
    return version == 1 ? kCatalogueColumnCount : kInventoryColumnCount;
}

// The header's name of a column ("ServiceName", "ObjectName", ...).
const char* InventoryColumnName(InventoryColumn column);

// A file is refused beyond this size: it could not come from any real system.
constexpr std::size_t kMaxInventoryBytes = 64u * 1024 * 1024;
// Nor with more records than this. A Windows system holds about a thousand services and drivers
// (a server with many roles a few thousand): a hundred times that is still far from a real one,
// and its catalogue (about 5 KB a record) fits a 32-bit process. A file with more is refused
// before anything is loaded.
constexpr std::size_t kMaxInventoryRecords = 100000;
// A service name holds at most 256 characters (CreateService refuses a longer one).
constexpr std::size_t kMaxServiceNameChars = 256;

// One record as the file holds it: every field's text, already checked against its column. The
// columns its file's version lacks are empty.
struct InventoryRecord {
    std::string fields[kInventoryColumnCount];
    std::size_t line = 0;                  // where the record begins, from 1
    uint32_t version = kInventoryVersion;  // of the file it comes from

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

// The text of each column for a record and its configuration (texts as well-formed UTF-8).
void InventoryFields(const SERVICE_ITEM& item, const ServiceConfiguration& config,
                     std::string (&fields)[kInventoryColumnCount]);

// The records of the catalogue (both kinds, in its order) as this version writes them, each with
// its configuration read from source in one pass.
void InventoryRecordsOf(const CServiceList& catalogue, ConfigurationSource& source,
                        std::vector<InventoryRecord>& records);

// The whole catalogue, both kinds, as a file's bytes, each record with its configuration read from
// source in one pass; without a source the configuration columns are empty.
void WriteInventoryCsv(const CServiceList& catalogue, ConfigurationSource& source,
                       std::string& out);
void WriteInventoryCsv(const CServiceList& catalogue, std::string& out);

// Whether a record of a file of the first version holds, for a catalogue field where today's rules
// give otherwise, what that version's rules gave: a svchost group matched with regard to case
// ("-k LocalService", "-k netsvcs" as written), a description in the INF form as stored. Such a
// file still opens, and shows what today's rules make of it.
bool EarlierRulesGave(const InventoryRecord& record, InventoryColumn column);

// Reads a file's bytes into records, in file order. False with the first problem and its line;
// records then holds the records that end before that line (whole and checked), so that a record
// wrong in a way only loading shows can still be found before it (LoadInventory); none for a file
// refused as a whole or for want of memory.
bool ParseInventoryCsv(const char* data, std::size_t size, std::vector<InventoryRecord>& records,
                       InventoryError& error);

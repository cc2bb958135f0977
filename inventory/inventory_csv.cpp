#include "inventory/inventory_csv.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "catalogue/text.h"
#include "inventory/csv.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kByteOrderMarkSize = 3;

// Canonical decimal text of an unsigned 32-bit number: digits only, no leading zero.
bool ParseDecimal(const std::string& text, uint32_t& value) {
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text[0] == '0'))
        return false;
    uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > UINT32_MAX)
        return false;
    value = static_cast<uint32_t>(number);
    return true;
}

InventoryProblem NumberIn(const std::string& text, uint32_t low, uint32_t high) {
    uint32_t value = 0;
    return ParseDecimal(text, value) && value >= low && value <= high ? InventoryProblem::None
                                                                      : InventoryProblem::Number;
}

struct ColumnDef {
    const char* header;
    std::string (*write)(const SERVICE_ITEM& item);
    InventoryProblem (*check)(const std::string& text);
};

// Checks of the column texts.
InventoryProblem AnyNumber(const std::string& text) {
    return NumberIn(text, 0, UINT32_MAX);
}
InventoryProblem ServiceKind(const std::string& text) {
    return text == "48" || text == "11" ? InventoryProblem::None : InventoryProblem::Number;
}
InventoryProblem StartType(const std::string& text) {
    return text.empty() ? InventoryProblem::None : NumberIn(text, 0, kStartUnknown - 1);
}
InventoryProblem SvchostGroup(const std::string& text) {
    return NumberIn(text, kSvchostNone, kSvchostNetsvcs);
}
InventoryProblem ServiceName(const std::string& text) {
    return text.empty() || TextCharCount(text.c_str()) > kMaxServiceNameChars
               ? InventoryProblem::Text
               : InventoryProblem::None;
}
// The record's fixed text fields hold at most kTextMaxChars characters.
InventoryProblem FieldText(const std::string& text) {
    return TextFits(text.c_str()) ? InventoryProblem::None : InventoryProblem::Text;
}

std::string Decimal(int64_t value) {
    return std::to_string(value);
}

// A start type that could not be read is saved as an empty field.
std::string StartText(const SERVICE_ITEM& r) {
    return r.Start == kStartUnknown ? std::string() : Decimal(r.Start);
}

const ColumnDef kColumns[kInventoryColumnCount] = {
    {"ServiceName", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.lpServiceName.c_str()); },
     ServiceName},
    {"DisplayName", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.lpDisplayName.c_str()); },
     FieldText},
    {"ServiceKind", [](const SERVICE_ITEM& r) { return Decimal(r.ServiceKind); }, ServiceKind},
    {"ServiceType", [](const SERVICE_ITEM& r) { return Decimal(r.ServiceStatus.dwServiceType); },
     AnyNumber},
    {"CurrentState", [](const SERVICE_ITEM& r) { return Decimal(r.ServiceStatus.dwCurrentState); },
     AnyNumber},
    {"Start", StartText, StartType},
    {"Description", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.Description); }, FieldText},
    {"ImagePath", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.ImagePath); }, FieldText},
    {"ServiceDll", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.ServiceDll); }, FieldText},
    {"Group", [](const SERVICE_ITEM& r) { return WellFormedUtf8(r.Group); }, FieldText},
    {"SvchostGroup", [](const SERVICE_ITEM& r) { return Decimal(r.SvchostGroup); }, SvchostGroup},
};

void AppendRecord(const std::string* fields, std::string& out) {
    for (int i = 0; i < kInventoryColumnCount; ++i) {
        if (i > 0)
            out += ',';
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

bool IsHeader(const std::vector<std::string>& fields) {
    if (fields.size() != kInventoryColumnCount)
        return false;
    for (int i = 0; i < kInventoryColumnCount; ++i) {
        if (fields[i] != kColumns[i].header)
            return false;
    }
    return true;
}

InventoryProblem ProblemOf(CsvError error) {
    switch (error) {
        case CsvError::Truncated:
            return InventoryProblem::Truncated;
        case CsvError::Quoting:
            return InventoryProblem::Quoting;
        case CsvError::LineEnd:
            return InventoryProblem::LineEnd;
        default:
            return InventoryProblem::None;
    }
}

}  // namespace

uint32_t InventoryRecord::Number(InventoryColumn column) const {
    uint32_t value = 0;
    ParseDecimal(fields[column], value);
    return value;
}

void InventoryFields(const SERVICE_ITEM& item, std::string (&fields)[kInventoryColumnCount]) {
    for (int i = 0; i < kInventoryColumnCount; ++i)
        fields[i] = kColumns[i].write(item);
}

void WriteInventoryCsv(const CServiceList& catalogue, std::string& out) {
    out.clear();
    out.reserve(512 + catalogue.GetCount() * 320);
    out += kByteOrderMark;
    std::string fields[kInventoryColumnCount];
    for (int i = 0; i < kInventoryColumnCount; ++i)
        fields[i] = kColumns[i].header;
    AppendRecord(fields, out);
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = catalogue.GetFirst(cursor, item); more;
         more = catalogue.GetNext(cursor, item)) {
        InventoryFields(*item, fields);
        AppendRecord(fields, out);
    }
}

bool ParseInventoryCsv(const char* data, std::size_t size, std::vector<InventoryRecord>& records,
                       InventoryError& error) {
    records.clear();
    error = InventoryError();
    auto refuseWhole = [&](InventoryProblem problem) {
        error.problem = problem;
        return false;
    };
    if (size > kMaxInventoryBytes)
        return refuseWhole(InventoryProblem::TooLarge);
    // One line end more than the records, for the header.
    if (CountRecordEnds(data, size, kMaxInventoryRecords + 1) > kMaxInventoryRecords + 1)
        return refuseWhole(InventoryProblem::TooMany);
    const std::size_t start =
        size >= kByteOrderMarkSize && std::memcmp(data, kByteOrderMark, kByteOrderMarkSize) == 0
            ? kByteOrderMarkSize
            : 0;
    // The encoding is checked apart from the structure; whichever problem comes first is the one
    // reported (the encoding's on a tie).
    const std::size_t invalid = start + FindInvalidUtf8(data + start, size - start);
    const std::size_t encodingLine = invalid < size ? LineAt(data, invalid) : 0;
    std::vector<std::size_t> endLines;  // the line after each record read
    auto fail = [&](InventoryProblem problem, std::size_t line) {
        error.problem = problem;
        error.line = line;
        if (encodingLine != 0 && encodingLine <= line) {
            error.problem = InventoryProblem::Encoding;
            error.line = encodingLine;
        }
        // What ends before the bad line stays, for the caller to check further.
        while (!records.empty() && endLines[records.size() - 1] > error.line)
            records.pop_back();
        return false;
    };

    CsvReader reader(data, size, start);
    std::vector<std::string> fields;
    try {
        records.reserve(CountRecordEnds(data, size, kMaxInventoryRecords + 1));
        endLines.reserve(records.capacity());
        if (!reader.Next(fields) || !IsHeader(fields))
            return fail(InventoryProblem::Header, 1);
        while (reader.Next(fields)) {
            if (fields.size() != kInventoryColumnCount)
                return fail(InventoryProblem::Columns, reader.RecordLine());
            InventoryRecord record;
            record.line = reader.RecordLine();
            for (int i = 0; i < kInventoryColumnCount; ++i) {
                const InventoryProblem problem = kColumns[i].check(fields[i]);
                if (problem != InventoryProblem::None)
                    return fail(problem, reader.FieldLines()[i]);
                record.fields[i] = std::move(fields[i]);
            }
            records.push_back(std::move(record));
            endLines.push_back(reader.Line());
        }
    } catch (const std::bad_alloc&) {
        records.clear();
        return fail(InventoryProblem::NoMemory, std::max<std::size_t>(reader.RecordLine(), 1));
    }
    if (reader.Error() != CsvError::None)
        return fail(ProblemOf(reader.Error()), reader.ErrorLine());
    if (encodingLine != 0)
        return fail(InventoryProblem::Encoding, encodingLine);
    return true;
}

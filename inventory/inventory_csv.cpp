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
    std::string (*write)(const SERVICE_ITEM& item, const ServiceConfiguration& config);
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
// The configuration's texts are not held by the catalogue: any length the file allows.
InventoryProblem AnyText(const std::string&) {
    return InventoryProblem::None;
}
InventoryProblem FormatVersion(const std::string& text) {
    return text == "2" ? InventoryProblem::None : InventoryProblem::Number;
}
// A flag: "1", "0", or empty when it could not be read.
InventoryProblem Flag(const std::string& text) {
    return text.empty() || text == "0" || text == "1" ? InventoryProblem::None
                                                      : InventoryProblem::Number;
}
InventoryProblem NumberOrUnknown(const std::string& text) {
    return text.empty() ? InventoryProblem::None : AnyNumber(text);
}
// 64 lowercase hexadecimal digits, or empty.
InventoryProblem Digest(const std::string& text) {
    if (text.empty())
        return InventoryProblem::None;
    if (text.size() != 64)
        return InventoryProblem::Text;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return InventoryProblem::Text;
    }
    return InventoryProblem::None;
}

std::string Decimal(int64_t value) {
    return std::to_string(value);
}

// A start type that could not be read is saved as an empty field.
std::string StartText(const SERVICE_ITEM& r, const ServiceConfiguration&) {
    return r.Start == kStartUnknown ? std::string() : Decimal(r.Start);
}

using Config = ServiceConfiguration;
const ColumnDef kColumns[kInventoryColumnCount] = {
    {"ServiceName",
     [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.lpServiceName.c_str()); },
     ServiceName},
    {"DisplayName",
     [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.lpDisplayName.c_str()); },
     FieldText},
    {"ServiceKind", [](const SERVICE_ITEM& r, const Config&) { return Decimal(r.ServiceKind); },
     ServiceKind},
    {"ServiceType",
     [](const SERVICE_ITEM& r, const Config&) { return Decimal(r.ServiceStatus.dwServiceType); },
     AnyNumber},
    {"CurrentState",
     [](const SERVICE_ITEM& r, const Config&) { return Decimal(r.ServiceStatus.dwCurrentState); },
     AnyNumber},
    {"Start", StartText, StartType},
    {"Description",
     [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.Description); }, FieldText},
    {"ImagePath", [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.ImagePath); },
     FieldText},
    {"ServiceDll",
     [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.ServiceDll); }, FieldText},
    {"Group", [](const SERVICE_ITEM& r, const Config&) { return WellFormedUtf8(r.Group); },
     FieldText},
    {"SvchostGroup", [](const SERVICE_ITEM& r, const Config&) { return Decimal(r.SvchostGroup); },
     SvchostGroup},
    {"FormatVersion", [](const SERVICE_ITEM&, const Config&) { return Decimal(kInventoryVersion); },
     FormatVersion},
    {"ObjectName",
     [](const SERVICE_ITEM&, const Config& c) { return WellFormedUtf8(c.account.c_str()); },
     AnyText},
    {"DelayedAutoStart", [](const SERVICE_ITEM&, const Config& c) { return c.delayedAutoStart; },
     Flag},
    {"TriggerStart", [](const SERVICE_ITEM&, const Config& c) { return c.triggerStart; }, Flag},
    {"ErrorControl", [](const SERVICE_ITEM&, const Config& c) { return c.errorControl; },
     NumberOrUnknown},
    {"DependOnService",
     [](const SERVICE_ITEM&, const Config& c) { return WellFormedUtf8(c.dependOnService.c_str()); },
     AnyText},
    {"DependOnGroup",
     [](const SERVICE_ITEM&, const Config& c) { return WellFormedUtf8(c.dependOnGroup.c_str()); },
     AnyText},
    {"StoredImagePath",
     [](const SERVICE_ITEM&, const Config& c) { return WellFormedUtf8(c.storedImagePath.c_str()); },
     AnyText},
    {"Sha256", [](const SERVICE_ITEM&, const Config& c) { return c.sha256; }, Digest},
    {"UnquotedPath", [](const SERVICE_ITEM&, const Config& c) { return c.unquotedPath; }, Flag},
};

// A source that knows no configuration: every column of it empty.
class NoConfiguration : public ConfigurationSource {
public:
    void ReadConfiguration(const SERVICE_ITEM&, ServiceConfiguration& config) override {
        config = ServiceConfiguration();
    }
};

// The version whose header the fields are, or 0 for none.
uint32_t HeaderVersion(const std::vector<std::string>& fields) {
    for (uint32_t version : {1u, kInventoryVersion}) {
        const int count = InventoryColumnsOf(version);
        if (fields.size() != static_cast<std::size_t>(count))
            continue;
        int i = 0;
        while (i < count && fields[i] == kColumns[i].header)
            ++i;
        if (i == count)
            return version;
    }
    return 0;
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

const char* InventoryColumnName(InventoryColumn column) {
    return kColumns[column].header;
}

void InventoryFields(const SERVICE_ITEM& item, const ServiceConfiguration& config,
                     std::string (&fields)[kInventoryColumnCount]) {
    for (int i = 0; i < kInventoryColumnCount; ++i)
        fields[i] = kColumns[i].write(item, config);
}

namespace {

// Each record of the catalogue with its configuration, in one pass of the source.
template <typename Row>
void ForEachRow(const CServiceList& catalogue, ConfigurationSource& source, Row row) {
    source.BeginPass();
    ServiceConfiguration config;
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = catalogue.GetFirst(cursor, item); more;
         more = catalogue.GetNext(cursor, item)) {
        source.ReadConfiguration(*item, config);
        row(*item, config);
    }
}

}  // namespace

void InventoryRecordsOf(const CServiceList& catalogue, ConfigurationSource& source,
                        std::vector<InventoryRecord>& records) {
    records.clear();
    records.reserve(catalogue.GetCount());
    ForEachRow(catalogue, source, [&records](const SERVICE_ITEM& item, const Config& config) {
        records.emplace_back();
        InventoryFields(item, config, records.back().fields);
    });
}

void WriteInventoryCsv(const CServiceList& catalogue, ConfigurationSource& source,
                       std::string& out) {
    out.clear();
    out.reserve(512 + catalogue.GetCount() * 480);
    out += kByteOrderMark;
    std::string fields[kInventoryColumnCount];
    for (int i = 0; i < kInventoryColumnCount; ++i)
        fields[i] = kColumns[i].header;
    AppendCsvRecord(out, fields, kInventoryColumnCount);
    ForEachRow(catalogue, source, [&](const SERVICE_ITEM& item, const Config& config) {
        InventoryFields(item, config, fields);
        AppendCsvRecord(out, fields, kInventoryColumnCount);
    });
}

void WriteInventoryCsv(const CServiceList& catalogue, std::string& out) {
    NoConfiguration none;
    WriteInventoryCsv(catalogue, none, out);
}

bool EarlierRulesGave(const InventoryRecord& record, InventoryColumn column) {
    if (record.version != 1)
        return false;
    const std::string& saved = record.Text(column);
    if (column == kInvSvchostGroup) {
        const std::string& path = record.Text(kInvImagePath);
        int32_t group = kSvchostNone;
        if (!record.Text(kInvServiceDll).empty()) {
            if (path.find("-k LocalService") != std::string::npos)
                group = kSvchostLocalService;
            else if (path.find("-k netsvcs") != std::string::npos)
                group = kSvchostNetsvcs;
        }
        return saved == Decimal(group);
    }
    std::string text;
    return column == kInvDescription && InfStringDefaultText(saved, text);
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
    const std::size_t recordEnds = CountRecordEnds(data, size, kMaxInventoryRecords + 1);
    if (recordEnds > kMaxInventoryRecords + 1)
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
        records.reserve(recordEnds);
        endLines.reserve(records.capacity());
        const uint32_t version = reader.Next(fields) ? HeaderVersion(fields) : 0;
        if (version == 0)
            return fail(InventoryProblem::Header, 1);
        const int columns = InventoryColumnsOf(version);
        while (reader.Next(fields)) {
            if (fields.size() != static_cast<std::size_t>(columns))
                return fail(InventoryProblem::Columns, reader.RecordLine());
            InventoryRecord record;
            record.line = reader.RecordLine();
            record.version = version;
            for (int i = 0; i < columns; ++i) {
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

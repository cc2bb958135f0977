#include "inventory/csv.h"

#include <algorithm>
#include <cstring>

#include "platform/utf16.h"

namespace {

bool NeedsQuotes(const std::string& field) {
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

}  // namespace

void AppendCsvField(std::string& out, const std::string& field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvRecord(std::string& out, const std::string* fields, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        AppendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

CsvReader::CsvReader(const char* data, std::size_t size, std::size_t offset)
    : data_(data), size_(size), pos_(std::min(offset, size)) {
    line_ = LineAt(data, pos_);
}

bool CsvReader::Fail(CsvError error) {
    error_ = error;
    errorLine_ = line_;
    return false;
}

bool CsvReader::ReadQuoted(std::string& field) {
    ++pos_;  // the opening quote
    for (;;) {
        const std::size_t start = pos_;
        while (pos_ < size_ && data_[pos_] != '"') {
            if (data_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
        field.append(data_ + start, pos_ - start);
        if (pos_ >= size_)
            return Fail(CsvError::Truncated);
        ++pos_;
        if (pos_ < size_ && data_[pos_] == '"') {  // a doubled quote stands for one
            field += '"';
            ++pos_;
            continue;
        }
        return true;
    }
}

bool CsvReader::EndOfField(bool& recordEnds) {
    if (pos_ >= size_)
        return Fail(CsvError::Truncated);
    const char c = data_[pos_];
    recordEnds = false;
    if (c == ',') {
        ++pos_;
        return true;
    }
    if (c == '\r' && pos_ + 1 < size_ && data_[pos_ + 1] == '\n') {
        pos_ += 2;
        ++line_;
        recordEnds = true;
        return true;
    }
    if (c == '\r' && pos_ + 1 == size_)
        return Fail(CsvError::Truncated);  // cut between CR and LF
    if (c == '\r' || c == '\n')
        return Fail(CsvError::LineEnd);
    return Fail(CsvError::Quoting);  // text right after a closing quote
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    fieldLines_.clear();
    if (error_ != CsvError::None || pos_ >= size_)
        return false;
    recordLine_ = line_;
    for (;;) {
        fieldLines_.push_back(line_);
        fields.emplace_back();
        if (pos_ < size_ && data_[pos_] == '"') {
            if (!ReadQuoted(fields.back()))
                return false;
        } else {
            const std::size_t start = pos_;
            while (pos_ < size_ && data_[pos_] != ',' && data_[pos_] != '\r' &&
                   data_[pos_] != '\n') {
                if (data_[pos_] == '"')
                    return Fail(CsvError::Quoting);
                ++pos_;
            }
            fields.back().assign(data_ + start, pos_ - start);
        }
        bool recordEnds = false;
        if (!EndOfField(recordEnds))
            return false;
        if (recordEnds)
            return true;
    }
}

std::size_t FindInvalidUtf8(const char* data, std::size_t size) {
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    std::size_t pos = 0;
    while (pos < size) {
        if (s[pos] >= 0x01 && s[pos] < 0x80) {  // the common case, one byte at a time
            ++pos;
            continue;
        }
        const std::size_t n = WellFormedUtf8Length(s + pos, size - pos);
        if (n == 0)
            return pos;
        pos += n;
    }
    return size;
}

std::size_t CountRecordEnds(const char* data, std::size_t size, std::size_t limit) {
    std::size_t ends = 0;
    bool quoted = false;  // a doubled quote inside a quoted field leaves and enters again
    for (const char* p = data; p != data + size && ends <= limit; ++p) {
        if (*p == '"')
            quoted = !quoted;
        else if (*p == '\n' && !quoted)
            ++ends;
    }
    return ends;
}

std::size_t LineAt(const char* data, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(data, data + offset, '\n'));
}

std::string WellFormedUtf8(const char* text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    const std::size_t size = std::strlen(text);
    std::string out;
    out.reserve(size);
    for (std::size_t pos = 0; pos < size;) {
        std::size_t n = WellFormedUtf8Length(s + pos, size - pos);
        if (n != 0) {
            out.append(text + pos, n);
        } else {
            n = LenientUtf8CharLength(s + pos);  // one character as the text limits count it
            out += "\xEF\xBF\xBD";
        }
        pos += n;
    }
    return out;
}

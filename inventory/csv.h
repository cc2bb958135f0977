// Comma-separated values as RFC 4180 has them: a field is quoted when it holds a comma, a quote or
// a line break, a quote inside is doubled, and every record ends with CRLF. The reader is strict:
// whatever does not follow these rules ends the reading where it is found.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Appends one field, quoted when it needs to be.
void AppendCsvField(std::string& out, const std::string& field);
// Appends one record: its count fields separated by commas, then CRLF.
void AppendCsvRecord(std::string& out, const std::string* fields, std::size_t count);

enum class CsvError {
    None,
    Truncated,  // the data ends inside a record (an open quote, or no CRLF after the last field)
    Quoting,    // a quote inside an unquoted field, or text after a closing quote
    LineEnd,    // a line break that is not CRLF outside quotes
};

class CsvReader {
public:
    CsvReader(const char* data, std::size_t size, std::size_t offset = 0);

    // Reads the next record. False at the end of the data (Error() is None) or when the record is
    // malformed (Error() and ErrorLine() tell what and where).
    bool Next(std::vector<std::string>& fields);

    CsvError Error() const { return error_; }
    std::size_t ErrorLine() const { return errorLine_; }
    // Line (from 1) on which the last record read began, and on which each of its fields began.
    std::size_t RecordLine() const { return recordLine_; }
    // Line (from 1) the reading has come to: after a record, the line the next one begins on.
    std::size_t Line() const { return line_; }
    const std::vector<std::size_t>& FieldLines() const { return fieldLines_; }

private:
    bool Fail(CsvError error);
    bool ReadQuoted(std::string& field);
    // After a field: true when another field follows, false at the record's end or on an error.
    bool EndOfField(bool& recordEnds);

    const char* data_;
    std::size_t size_;
    std::size_t pos_;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 0;
    std::vector<std::size_t> fieldLines_;
    CsvError error_ = CsvError::None;
    std::size_t errorLine_ = 0;
};

// Offset of the first byte that is not part of well-formed UTF-8 (overlong forms, surrogates and
// code points above U+10FFFF are not) or is a NUL; size when there is none.
std::size_t FindInvalidUtf8(const char* data, std::size_t size);

// How many line feeds stand outside quoted fields, stopping once there are more than limit: an
// upper bound of the records a reader can find (each ends with one), counted without reading them.
std::size_t CountRecordEnds(const char* data, std::size_t size, std::size_t limit);

// Line (from 1) of the byte at offset: one more than the line feeds before it.
std::size_t LineAt(const char* data, std::size_t offset);

// The text as well-formed UTF-8: each character the program's text limits count (catalogue/text.h)
// that is not well-formed becomes one U+FFFD, so the count of characters stays the same.
std::string WellFormedUtf8(const char* text);

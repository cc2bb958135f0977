// Whole files in and out: reading one into memory, and giving one new content without ever
// leaving it half-written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct FileBytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

// The error code for a path that names no file on a disk: a device (CON, NUL, COM1, ...), a
// console or a pipe. Such a path is never read from or written to.
constexpr uint32_t kErrorNotAFile = 1200;  // ERROR_BAD_DEVICE

// Reads the whole file. Returns 0, or the system's error code (ERROR_FILE_TOO_LARGE for a file of
// more than maxBytes, kErrorNotAFile).
uint32_t ReadWholeFile(const std::wstring& path, std::size_t maxBytes, FileBytes& bytes);

// Writes the bytes into a new file beside path (under a short name of its own, so that any name
// the folder allows can be replaced), flushes it, and only then moves it over path in one step.
// Returns 0, or the system's error code (kErrorNotAFile; ERROR_SHARING_VIOLATION when another
// program holds path open and does not let it be replaced); on failure path is as it was and the
// new file gone.
uint32_t ReplaceFileContent(const std::wstring& path, const std::string& bytes);

// The SHA-256 of the file's content as 64 lowercase hexadecimal digits, read in pieces and shared
// with other readers and writers. Returns 0, or the system's error code (kErrorNotAFile).
uint32_t FileSha256(const std::wstring& path, std::string& hex);

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

// Reads the whole file. Returns 0, or the system's error code (ERROR_FILE_TOO_LARGE for a file of
// more than maxBytes).
uint32_t ReadWholeFile(const std::wstring& path, std::size_t maxBytes, FileBytes& bytes);

// Writes the bytes into a new file beside path, flushes it, and only then moves it over path in one
// step. Returns 0, or the system's error code; on failure path is as it was and the new file gone.
uint32_t ReplaceFileContent(const std::wstring& path, const std::string& bytes);

#include "platform/win32/file_io.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/win32/handles.h"

namespace {

// Writes everything and flushes it to the disk; the handle stays open.
DWORD WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) {
            return GetLastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;  // a success that writes nothing would never end
        }
        done += written;
    }
    return FlushFileBuffers(file) ? ERROR_SUCCESS : GetLastError();
}

// A new file of its own beside path: path with a suffix no other writer uses.
DWORD CreateBeside(const std::wstring& path, std::wstring& tempPath, FileHandle& file) {
    DWORD error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        tempPath = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(attempt) + L".tmp";
        file.Reset(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file ? ERROR_SUCCESS : GetLastError();
    }
    return error;
}

}  // namespace

uint32_t ReadWholeFile(const std::wstring& path, std::size_t maxBytes, FileBytes& bytes) {
    bytes = FileBytes();
    // A file a spreadsheet holds open is still read: what is read is checked whole anyway.
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return GetLastError();
    }
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return GetLastError();
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        return ERROR_FILE_TOO_LARGE;
    }
    const std::size_t total = static_cast<std::size_t>(size.QuadPart);
    bytes.data.reset(new (std::nothrow) char[total + 1]);
    if (!bytes.data) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    while (bytes.size < total) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data.get() + bytes.size,
                      static_cast<DWORD>(total - bytes.size), &read, nullptr)) {
            const DWORD error = GetLastError();
            bytes = FileBytes();
            return error;
        }
        if (read == 0) {
            break;  // the file shrank meanwhile: what is there is all there is
        }
        bytes.size += read;
    }
    return ERROR_SUCCESS;
}

uint32_t ReplaceFileContent(const std::wstring& path, const std::string& bytes) {
    std::wstring tempPath;
    FileHandle file;
    DWORD error = CreateBeside(path, tempPath, file);
    if (error != ERROR_SUCCESS) {
        return error;
    }
    error = WriteAll(file.Get(), bytes);
    file.Reset();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(tempPath.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(tempPath.c_str());
    }
    return error;
}

#include "platform/win32/file_io.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/device_names.h"
#include "platform/sha256.h"
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

// The folder part of path, with its last separator: "" for a bare name, "C:" for "C:name".
std::wstring FolderOf(const std::wstring& path) {
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        return path.substr(0, slash + 1);
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring();
}

// A new file of its own in path's folder, under a short name no other writer uses: the target's
// name may already be as long as the folder allows.
DWORD CreateBeside(const std::wstring& path, std::wstring& tempPath, FileHandle& file) {
    const std::wstring prefix = FolderOf(path) + L"~orv" + std::to_wstring(GetCurrentProcessId());
    DWORD error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        tempPath = prefix + L"-" + std::to_wstring(attempt) + L".tmp";
        file.Reset(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        error = file ? ERROR_SUCCESS : GetLastError();
    }
    return error;
}

// Why path could not be replaced, when the system says only "access denied": another program that
// holds it open without letting it be deleted, which a replacement is, makes the same request fail
// with a sharing violation. Otherwise the refusal stands (a read-only file, missing rights).
DWORD ReasonForDeniedReplacement(const std::wstring& path) {
    FileHandle probe(CreateFileW(path.c_str(), DELETE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION ? ERROR_SHARING_VIOLATION
                                                               : ERROR_ACCESS_DENIED;
}

// A file on a disk opened for reading from start to end, whoever else holds it open (a spreadsheet
// that has it, a service running from it): what is read is checked or hashed whole anyway.
DWORD OpenForReading(const std::wstring& path, FileHandle& file) {
    if (NamesDevice(path)) {
        return kErrorNotAFile;  // opening it would open the device (and reading might wait)
    }
    file.Reset(CreateFileW(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return GetLastError();
    }
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        return kErrorNotAFile;  // a pipe or a device under another name
    }
    return ERROR_SUCCESS;
}

}  // namespace

uint32_t ReadWholeFile(const std::wstring& path, std::size_t maxBytes, FileBytes& bytes) {
    bytes = FileBytes();
    FileHandle file;
    if (const DWORD error = OpenForReading(path, file)) {
        return error;
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
    if (NamesDevice(path)) {
        return kErrorNotAFile;
    }
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
        if (error == ERROR_ACCESS_DENIED) {
            error = ReasonForDeniedReplacement(path);
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(tempPath.c_str());
    }
    return error;
}

uint32_t FileSha256(const std::wstring& path, std::string& hex) {
    hex.clear();
    FileHandle file;
    if (const DWORD error = OpenForReading(path, file)) {
        return error;
    }
    constexpr DWORD kPiece = 256 * 1024;
    std::unique_ptr<char[]> piece(new (std::nothrow) char[kPiece]);
    if (!piece) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    Sha256 digest;
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), piece.get(), kPiece, &read, nullptr)) {
            return GetLastError();
        }
        if (read == 0) {
            break;
        }
        digest.Update(piece.get(), read);
    }
    hex = digest.HexDigest();
    return ERROR_SUCCESS;
}

// Version resources are read with the "A" functions, so the strings arrive in the program's code
// page (UTF-8 through the manifest).
#include "views/file_info.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "catalogue/text.h"
#include "platform/win32/handles.h"

namespace {

// GetFileVersionString reads into a block of this fixed size; the resource must fit with a byte
// to spare.
constexpr DWORD kVersionBlockBytes = 8192;

// Copies one string of the version block's string table into dest, if the table has it.
void QueryVersionString(const void* block, WORD language, WORD codePage, const char* name,
                        char* dest) {
    char subBlock[96];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\%s", language, codePage,
                  name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, subBlock, &value, &length) || !value)
        return;
    CopyText(dest, kTextBytes, static_cast<const char*>(value), kTextMaxChars);
}

}  // namespace

bool FileExists(const char* path) {
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(path, &data));
    if (!find)
        return false;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

int GetFileVersionString(const char* path, char* buffer, std::size_t size) {
    DWORD unused = 0;
    DWORD needed = GetFileVersionInfoSizeA(path, &unused);
    if (needed == 0 || needed >= kVersionBlockBytes)
        return 0;
    alignas(8) unsigned char block[kVersionBlockBytes];
    if (!GetFileVersionInfoA(path, 0, needed, block))
        return 0;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, "\\", &value, &length) || !value)
        return 0;
    if (size == 0)
        return 1;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    std::memset(buffer, 0, size);
    std::snprintf(buffer, size, "%d.%d.%d.%d", HIWORD(info->dwFileVersionMS),
                  LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                  LOWORD(info->dwFileVersionLS));
    return 1;
}

int GetFileStringInfo(const char* path, char* description, char* company) {
    DWORD unused = 0;
    DWORD needed = GetFileVersionInfoSizeA(path, &unused);
    if (needed == 0)
        return 0;
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[needed]);
    if (!block || !GetFileVersionInfoA(path, 0, needed, block.get()))
        return 0;
    void* table = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &table, &length) || !table ||
        length < sizeof(DWORD)) {
        return 0;
    }
    // Only the first translation counts: language in the low word, code page in the high word.
    DWORD first = 0;
    std::memcpy(&first, table, sizeof first);
    if (description)
        QueryVersionString(block.get(), LOWORD(first), HIWORD(first), "FileDescription",
                           description);
    if (company)
        QueryVersionString(block.get(), LOWORD(first), HIWORD(first), "CompanyName", company);
    return 1;
}

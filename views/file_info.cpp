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
#include "views/command_line.h"

namespace {

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

// The version resource at its reported size, or null.
std::unique_ptr<unsigned char[]> ReadVersionBlock(const char* path) {
    DWORD unused = 0;
    const DWORD needed = GetFileVersionInfoSizeA(path, &unused);
    if (needed == 0)
        return nullptr;
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[needed]);
    if (!block || !GetFileVersionInfoA(path, 0, needed, block.get()))
        return nullptr;
    return block;
}

}  // namespace

bool FileExists(const char* path) {
    // A search pattern would find whatever matches it; a name with these characters is no file.
    if (path == nullptr || std::strpbrk(path, "*?<>\"") != nullptr)
        return false;
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA(path, &data));
    if (!find)
        return false;
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FindImageFile(const char* imagePath, std::string& file) {
    for (const std::string& candidate : ExecutableCandidates(imagePath ? imagePath : "")) {
        if (FileExists(candidate.c_str())) {
            file = candidate;
            return true;
        }
    }
    return false;
}

int GetFileVersionString(const char* path, char* buffer, std::size_t size) {
    std::unique_ptr<unsigned char[]> block = ReadVersionBlock(path);
    if (!block)
        return 0;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\", &value, &length) || !value ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return 0;
    }
    // Bytes that do not carry the signature are no version, whatever numbers they hold.
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (info->dwSignature != VS_FFI_SIGNATURE)
        return 0;
    if (size == 0)
        return 1;
    std::memset(buffer, 0, size);
    std::snprintf(buffer, size, "%d.%d.%d.%d", HIWORD(info->dwFileVersionMS),
                  LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                  LOWORD(info->dwFileVersionLS));
    return 1;
}

int GetFileStringInfo(const char* path, char* description, char* company) {
    std::unique_ptr<unsigned char[]> block = ReadVersionBlock(path);
    if (!block)
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

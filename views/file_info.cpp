// Files are found and version resources read with the "W" functions: paths and strings are
// converted between UTF-8 and UTF-16 here, whatever the process's code page.
#include "views/file_info.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "catalogue/command_line.h"
#include "catalogue/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace {

// Copies one string of the version block's string table into dest, if the table has it.
void QueryVersionString(const void* block, WORD language, WORD codePage, const wchar_t* name,
                        char* dest) {
    wchar_t subBlock[96];
    std::swprintf(subBlock, sizeof subBlock / sizeof subBlock[0], L"\\StringFileInfo\\%04x%04x\\%ls",
                  language, codePage, name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block, subBlock, &value, &length) || !value)
        return;
    // The length counts characters and may include the NUL; the text ends at its first NUL.
    const auto* text = static_cast<const wchar_t*>(value);
    const std::string utf8 = NarrowText(std::wstring(text, wcsnlen(text, length)));
    CopyText(dest, kTextBytes, utf8.c_str(), kTextMaxChars);
}

// The version resource at its reported size, or null.
std::unique_ptr<unsigned char[]> ReadVersionBlock(const char* path) {
    const std::wstring file = WideText(path);
    DWORD unused = 0;
    const DWORD needed = GetFileVersionInfoSizeW(file.c_str(), &unused);
    if (needed == 0)
        return nullptr;
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[needed]);
    if (!block || !GetFileVersionInfoW(file.c_str(), 0, needed, block.get()))
        return nullptr;
    return block;
}

}  // namespace

bool FileExists(const char* path) {
    // A search pattern would find whatever matches it; a name with these characters is no file.
    if (path == nullptr || std::strpbrk(path, "*?<>\"") != nullptr)
        return false;
    WIN32_FIND_DATAW data;
    FindHandle find(FindFirstFileW(WideText(path).c_str(), &data));
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
    if (!VerQueryValueW(block.get(), L"\\", &value, &length) || !value ||
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
    if (!VerQueryValueW(block.get(), L"\\VarFileInfo\\Translation", &table, &length) || !table ||
        length < sizeof(DWORD)) {
        return 0;
    }
    // Only the first translation counts: language in the low word, code page in the high word.
    DWORD first = 0;
    std::memcpy(&first, table, sizeof first);
    if (description)
        QueryVersionString(block.get(), LOWORD(first), HIWORD(first), L"FileDescription",
                           description);
    if (company)
        QueryVersionString(block.get(), LOWORD(first), HIWORD(first), L"CompanyName", company);
    return 1;
}

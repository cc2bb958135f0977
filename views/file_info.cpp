// Files are found and version resources read with the "W" functions: paths and strings are
// converted between UTF-8 and UTF-16 here, whatever the process's code page.
#include "views/file_info.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>

#include "catalogue/text.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "views/command_line.h"

namespace {

// Below this, GetFileVersionInfoSize asks for less than a version resource's header.
constexpr DWORD kMinVersionInfoBytes = 8;
// A version resource's own length is a 16-bit word; its entry may round it up to 32 bits.
constexpr DWORD kMaxVersionResourceBytes = 0xFFFF + 3;

// Copies one string of the version block's string table into dest, if the table has it.
void QueryVersionString(const void* block, WORD language, WORD codePage, const wchar_t* name,
                        char* dest) {
    wchar_t subBlock[96];
    std::swprintf(subBlock, sizeof subBlock / sizeof subBlock[0],
                  L"\\StringFileInfo\\%04x%04x\\%ls", language, codePage, name);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block, subBlock, &value, &length) || !value)
        return;
    // The length counts characters and may include the NUL; the text ends at its first NUL.
    const auto* text = static_cast<const wchar_t*>(value);
    const std::string utf8 = NarrowText(std::wstring(text, wcsnlen(text, length)));
    CopyText(dest, kTextBytes, utf8.c_str(), kTextMaxChars);
}

// Whether the version resource, as its resource directory describes it, is one the format allows
// and lies inside its file. GetFileVersionInfo copies as many bytes as the directory claims from
// the file mapped as data, and a claim that runs past the file's end reads past the mapping (Wine
// faults there). A file that does not load as data (a 16-bit one) is read by the system from the
// file itself.
bool VersionResourceBelievable(const std::wstring& file) {
    ModuleHandle module(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HRSRC found = module
                      ? FindResourceW(module.Get(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION)
                      : nullptr;
    if (!found)
        return true;
    const DWORD claimed = SizeofResource(module.Get(), found);
    if (claimed > kMaxVersionResourceBytes)
        return false;
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module.Get(), found)));
    MEMORY_BASIC_INFORMATION mapped = {};
    if (!data || !VirtualQuery(data, &mapped, sizeof mapped))
        return false;
    const BYTE* end = static_cast<const BYTE*>(mapped.BaseAddress) + mapped.RegionSize;
    return claimed <= static_cast<size_t>(end - data);
}

// The size GetFileVersionInfoSize asks for, or 0 when it is none that a version resource can
// have: less than its header, over what the format allows, or more than the file holds.
DWORD BelievableVersionInfoSize(const std::wstring& file) {
    DWORD unused = 0;
    const DWORD needed = GetFileVersionInfoSizeW(file.c_str(), &unused);
    if (needed < kMinVersionInfoBytes || needed > kMaxVersionInfoBytes ||
        !VersionResourceBelievable(file))
        return 0;
    return needed;
}

// Whether the length the block gives itself (its first word) fits the block as read: the queries
// walk the block by that length, and a query of a 16-bit block writes the text it converts to
// UTF-16 after it (up to twice the length again).
bool FitsItsBlock(const unsigned char* block, DWORD size) {
    WORD length = 0;
    std::memcpy(&length, block, sizeof length);
    // In a 32-bit block the type word comes where a 16-bit block has the first letter of its key.
    const bool wide = block[4] < ' ';
    return wide ? length <= size : 3u * length <= size;
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

VersionBlock::VersionBlock(const char* path) {
    const std::wstring file = WideText(path);
    const DWORD needed = BelievableVersionInfoSize(file);
    if (needed == 0)
        return;
    // Zeroed, so that a block is never read where the system wrote nothing.
    block_.reset(new (std::nothrow) unsigned char[needed]());
    if (block_ && (!GetFileVersionInfoW(file.c_str(), 0, needed, block_.get()) ||
                   !FitsItsBlock(block_.get(), needed)))
        block_.reset();
}

VersionBlock::~VersionBlock() = default;

int VersionBlock::FileVersion(char* buffer, std::size_t size) const {
    if (!block_)
        return 0;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block_.get(), L"\\", &value, &length) || !value ||
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

int VersionBlock::StringInfo(char* description, char* company) const {
    if (!block_)
        return 0;
    void* table = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block_.get(), L"\\VarFileInfo\\Translation", &table, &length) || !table ||
        length < sizeof(DWORD)) {
        return 0;
    }
    // Only the first translation counts: language in the low word, code page in the high word.
    DWORD first = 0;
    std::memcpy(&first, table, sizeof first);
    if (description)
        QueryVersionString(block_.get(), LOWORD(first), HIWORD(first), L"FileDescription",
                           description);
    if (company)
        QueryVersionString(block_.get(), LOWORD(first), HIWORD(first), L"CompanyName", company);
    return 1;
}

int GetFileVersionString(const char* path, char* buffer, std::size_t size) {
    return VersionBlock(path).FileVersion(buffer, size);
}

int GetFileStringInfo(const char* path, char* description, char* company) {
    return VersionBlock(path).StringInfo(description, company);
}

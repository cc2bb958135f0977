// The registry half of Win32System, always under HKEY_LOCAL_MACHINE.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <memory>
#include <new>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

namespace {

// Values beyond this size are not believed; it keeps a misreporting registry from exhausting
// memory.
constexpr DWORD kMaxValueBytes = 16u * 1024 * 1024;
constexpr DWORD kMaxResourceChars = 65535;

// Resizes without throwing; false when the memory cannot be had or the size is not believed.
bool Resize(std::vector<uint8_t>& bytes, DWORD size) {
    if (size > kMaxValueBytes) {
        return false;
    }
    try {
        bytes.resize(size);
    } catch (...) {  // the vector is the interface's; its allocation failure ends here
        return false;
    }
    return true;
}

// A value's type and data at whatever size it has. Most values fit a small buffer, so one call
// usually does, as SHGetValue makes one; a larger value is asked for again at its size, and again
// should it grow meanwhile.
bool QueryWholeValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<uint8_t>& data) {
    BYTE small[1024];
    DWORD size = sizeof small;
    LONG status = RegQueryValueExW(key, name, nullptr, &type, small, &size);
    if (status == ERROR_SUCCESS) {
        if (!Resize(data, size)) {
            return false;
        }
        std::memcpy(data.data(), small, size);
        return true;
    }
    while (status == ERROR_MORE_DATA) {
        if (size <= data.size()) {
            size = static_cast<DWORD>(data.size() * 2 + 2);
        }
        if (!Resize(data, size)) {
            return false;
        }
        status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        if (status == ERROR_SUCCESS) {
            data.resize(size);
            return true;
        }
    }
    return false;
}

// Environment variables expanded, as SHGetValue expands a REG_EXPAND_SZ; the text stays as it was
// when they cannot be.
void Expand(std::wstring& text) {
    DWORD chars = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < 3 && chars > 0; ++attempt) {
        std::unique_ptr<wchar_t[]> expanded(new (std::nothrow) wchar_t[chars]);
        if (!expanded) {
            return;
        }
        const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), expanded.get(), chars);
        if (needed > 0 && needed <= chars) {
            text.assign(expanded.get());
            return;
        }
        chars = needed;
    }
}

// UTF-16 text as UTF-8 bytes, with its NUL.
bool ToCodePage(const std::wstring& text, std::vector<uint8_t>& bytes) {
    std::string narrow;
    if (!ToNarrow(text.c_str(), static_cast<int>(text.size()), narrow) ||
        !Resize(bytes, static_cast<DWORD>(narrow.size() + 1))) {
        return false;
    }
    std::memcpy(bytes.data(), narrow.c_str(), narrow.size() + 1);
    return true;
}

// The data of a text value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ), as the 8-bit registry calls
// hand it out, every NUL kept, but in UTF-8 whatever the process's code page; other types stay as
// stored.
bool TextDataAsUtf8(DWORD type, std::vector<uint8_t>& data) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        return true;
    }
    const int units = static_cast<int>(data.size() / sizeof(wchar_t));
    std::string text;
    if (units > 0 && !ToNarrow(reinterpret_cast<const wchar_t*>(data.data()), units, text)) {
        return false;
    }
    data.assign(text.begin(), text.end());
    return true;
}

// A key named in UTF-16 opened for reading one value, and that value's name in UTF-16.
bool OpenForQuery(const std::u16string& subKey, const char* valueName, RegKey& key,
                  std::wstring& name) {
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<const wchar_t*>(subKey.c_str()), 0,
                         KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS &&
           ToWide(valueName, name);
}

}  // namespace

bool Win32System::GetValue(const std::u16string& subKey, const char* valueName,
                           RegistryValue& value) {
    RegKey key;
    std::wstring name;
    if (!OpenForQuery(subKey, valueName, key, name)) {
        return false;
    }
    std::vector<uint8_t> data;
    DWORD type = 0;
    if (!QueryWholeValue(key.Get(), name.c_str(), type, data)) {
        return false;
    }
    value.name = valueName;
    value.type = type;
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        value.data = std::move(data);
        return true;
    }
    // As SHGetValue gives a text: up to its first NUL (or its end, when it was stored without
    // one), environment variables expanded in a REG_EXPAND_SZ.
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    // Windows expands at most 32K characters: a longer value stays as stored rather than
    // becoming unreadable, which would hide its service.
    if (type == REG_EXPAND_SZ) {
        Expand(text);
    }
    return ToCodePage(text, value.data);
}

bool Win32System::LoadIndirectString(const std::u16string& subKey, const char* valueName,
                                     std::string& text) {
    RegKey key;
    std::wstring name;
    if (!OpenForQuery(subKey, valueName, key, name)) {
        return false;
    }
    // A resource string holds at most 65535 characters; a buffer with room for more can tell a
    // whole text from one the loader cut to fit.
    DWORD bytes = (kMaxResourceChars + 2) * sizeof(wchar_t);
    std::vector<uint8_t> buffer;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!Resize(buffer, bytes)) {
            return false;
        }
        DWORD used = 0;
        const LONG status =
            RegLoadMUIStringW(key.Get(), name.c_str(), reinterpret_cast<wchar_t*>(buffer.data()),
                              bytes, &used, 0, nullptr);
        if (status == ERROR_MORE_DATA && used > bytes) {
            bytes = used + sizeof(wchar_t);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return false;
        }
        const auto* wide = reinterpret_cast<const wchar_t*>(buffer.data());
        const size_t chars = wcsnlen(wide, bytes / sizeof(wchar_t));
        if (chars + 1 >= bytes / sizeof(wchar_t)) {
            return false;  // filled to the brim: perhaps cut
        }
        return ToNarrow(wide, static_cast<int>(chars), text);
    }
    return false;
}

bool Win32System::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    RegKey key;
    std::wstring name;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideText(subKey ? subKey : "").c_str(), 0,
                      KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS ||
        (valueName != nullptr && !ToWide(valueName, name))) {
        return false;
    }
    DWORD type = 0;
    std::vector<uint8_t> data;
    if (!QueryWholeValue(key.Get(), valueName != nullptr ? name.c_str() : nullptr, type, data) ||
        !TextDataAsUtf8(type, data)) {
        return false;
    }
    value.name = valueName != nullptr ? valueName : "";
    value.type = type;
    value.data = std::move(data);
    return true;
}

bool Win32System::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    RegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideText(subKey ? subKey : "").c_str(), 0,
                      KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD maxName = 0;
    DWORD maxData = 0;
    RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &maxName, &maxData, nullptr, nullptr);
    std::wstring name;
    std::vector<uint8_t> data;
    try {
        name.resize(maxName + 1);  // the longest name is counted in characters, without its NUL
    } catch (...) {  // the string is the standard library's; its allocation failure ends here
        return true;
    }
    if (!Resize(data, maxData + 1)) {
        return true;
    }
    for (DWORD index = 0;;) {
        DWORD nameChars = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueW(key.Get(), index, &name[0], &nameChars, nullptr, &type,
                                          data.data(), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // The value changed since the key was measured: grow both and ask for it again.
            const DWORD grownData = dataSize > data.size() ? dataSize : data.size() * 2;
            if (name.size() > kMaxValueBytes || !Resize(data, grownData)) {
                return true;
            }
            name.resize(name.size() * 2);
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return true;
        }
        RegistryValue value;
        value.type = type;
        value.data.assign(data.begin(), data.begin() + dataSize);
        if (!ToNarrow(name.c_str(), static_cast<int>(nameChars), value.name) ||
            !TextDataAsUtf8(type, value.data)) {
            return true;
        }
        values.push_back(std::move(value));
        ++index;
    }
}

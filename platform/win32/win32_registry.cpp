// The registry half of Win32System, always under HKEY_LOCAL_MACHINE and always through the UTF-16
// calls: every value is read by one loop that grows its buffer to the value's size, and texts are
// converted into UTF-8 here, whatever the process's code page.
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"

namespace {

// Values beyond this size are not believed; it keeps a misreporting registry from exhausting
// memory.
constexpr DWORD kMaxValueBytes = 16u * 1024 * 1024;
constexpr DWORD kMaxResourceChars = 65535;
// The longest value name the registry allows, and its NUL.
constexpr DWORD kMaxValueNameChars = 16384;

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

// A value's type and data at whatever size it has, the one read of every value. Most values fit a
// small buffer, so one call usually does, as SHGetValue makes one; a larger value is asked for
// again at its size, and again should it grow meanwhile.
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
            data.resize(size);  // a text can come back shorter than first reported
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

// length UTF-16 units as UTF-8 bytes, NULs included as they are.
bool ToUtf8Bytes(const wchar_t* text, size_t length, std::vector<uint8_t>& bytes) {
    std::string narrow;
    if (!ToNarrow(text, static_cast<int>(length), narrow) ||
        !Resize(bytes, static_cast<DWORD>(narrow.size()))) {
        return false;
    }
    std::memcpy(bytes.data(), narrow.data(), narrow.size());
    return true;
}

// Data as SHGetValue gives it: a text up to its first NUL (or its end, when it was stored without
// one), environment variables expanded in a REG_EXPAND_SZ, in UTF-8 with one NUL; any other type
// as stored.
bool AsShellValue(DWORD type, std::vector<uint8_t>& data, std::vector<uint8_t>& out) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        out = std::move(data);
        return true;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    // Windows expands at most 32K characters: a longer value stays as stored rather than
    // becoming unreadable, which would hide its service.
    if (type == REG_EXPAND_SZ) {
        Expand(text);
    }
    return ToUtf8Bytes(text.c_str(), text.size() + 1, out);
}

// Data as the 8-bit calls give it, but in UTF-8 whatever the process's code page: the texts
// (multi-strings too) converted whole, NULs and all; any other type as stored.
bool AsNarrowValue(DWORD type, std::vector<uint8_t>& data, std::vector<uint8_t>& out) {
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) {
        out = std::move(data);
        return true;
    }
    return ToUtf8Bytes(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t),
                       out);
}

// A key below parent, opened for querying values (a key below an open key needs no right of its
// parent's).
RegKey OpenForQuery(HKEY parent, const wchar_t* path) {
    RegKey key;
    if (RegOpenKeyExW(parent, path, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

class Win32RegistryKey : public RegistryKey {
public:
    explicit Win32RegistryKey(RegKey key) : key_(std::move(key)) {}

    std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) override {
        return Make(OpenForQuery(key_.Get(), WideChars(name)));
    }

    bool GetValue(const char* valueName, RegistryValue& value) override {
        std::wstring name;
        std::vector<uint8_t> data;
        DWORD type = 0;
        if (!ToWide(valueName, name) || !QueryWholeValue(key_.Get(), name.c_str(), type, data) ||
            !AsShellValue(type, data, value.data)) {
            return false;
        }
        value.name = valueName;
        value.type = type;
        return true;
    }

    bool GetStoredText(const char* valueName, std::string& text) override {
        std::wstring name;
        std::vector<uint8_t> data;
        DWORD type = 0;
        if (!ToWide(valueName, name) || !QueryWholeValue(key_.Get(), name.c_str(), type, data) ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return false;
        }
        const auto* stored = reinterpret_cast<const wchar_t*>(data.data());
        const size_t chars = wcsnlen(stored, data.size() / sizeof(wchar_t));
        return ToNarrow(stored, static_cast<int>(chars), text) || chars == 0;
    }

    bool LoadIndirectString(const char* valueName, std::string& text) override {
        std::wstring name;
        if (!ToWide(valueName, name)) {
            return false;
        }
        // A resource string holds at most 65535 characters; a buffer with room for more can tell
        // a whole text from one the loader cut to fit.
        DWORD bytes = (kMaxResourceChars + 2) * sizeof(wchar_t);
        std::vector<uint8_t> buffer;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (!Resize(buffer, bytes)) {
                return false;
            }
            DWORD used = 0;
            const LONG status = RegLoadMUIStringW(key_.Get(), name.c_str(),
                                                  reinterpret_cast<wchar_t*>(buffer.data()), bytes,
                                                  &used, 0, nullptr);
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

    // Null for no key. Like the containers, throws std::bad_alloc when memory runs out (the key
    // is closed then): the catalogue counts it.
    static std::unique_ptr<RegistryKey> Make(RegKey key) {
        if (!key) {
            return nullptr;
        }
        return std::unique_ptr<RegistryKey>(new Win32RegistryKey(std::move(key)));
    }

private:
    RegKey key_;
};

// A key named by an 8-bit path, opened for querying values.
RegKey OpenNarrowPath(const char* subKey) {
    std::wstring path;
    if (!ToWide(subKey, path)) {
        return RegKey();
    }
    return OpenForQuery(HKEY_LOCAL_MACHINE, path.c_str());
}

// One value of an open key as the 8-bit calls give it; name null reads the key's default value.
bool ReadNarrowValue(HKEY key, const wchar_t* name, RegistryValue& value) {
    std::vector<uint8_t> data;
    DWORD type = 0;
    if (!QueryWholeValue(key, name, type, data) || !AsNarrowValue(type, data, value.data)) {
        return false;
    }
    value.type = type;
    return true;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32System::OpenKey(const std::u16string& path) {
    return Win32RegistryKey::Make(OpenForQuery(HKEY_LOCAL_MACHINE, WideChars(path)));
}

bool Win32System::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    RegKey key = OpenNarrowPath(subKey);
    std::wstring name;
    if (!key || (valueName && !ToWide(valueName, name)) ||
        !ReadNarrowValue(key.Get(), valueName ? name.c_str() : nullptr, value)) {
        return false;
    }
    value.name = valueName ? valueName : "";
    return true;
}

bool Win32System::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    RegKey key = OpenNarrowPath(subKey);
    if (!key) {
        return false;
    }
    DWORD longestName = 0;
    RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longestName, nullptr, nullptr, nullptr);
    std::wstring name(longestName + 1, L'\0');
    // The names one by one; each value is then read by the one read above. A value that goes
    // between the two is left out.
    for (DWORD index = 0;;) {
        DWORD chars = static_cast<DWORD>(name.size());
        const LONG status =
            RegEnumValueW(key.Get(), index, &name[0], &chars, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA && name.size() < kMaxValueNameChars) {
            name.resize(kMaxValueNameChars);  // a longer name was added since the key was measured
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return true;
        }
        ++index;
        RegistryValue value;
        const std::wstring valueName(name.c_str(), chars);
        if (ReadNarrowValue(key.Get(), valueName.c_str(), value) &&
            ToNarrow(valueName.c_str(), static_cast<int>(valueName.size()), value.name)) {
            values.push_back(std::move(value));
        }
    }
}

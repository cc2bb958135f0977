// The registry half of Win32System, always under HKEY_LOCAL_MACHINE.
#include <windows.h>
#include <shlwapi.h>

#include <cstring>
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

}  // namespace

bool Win32System::GetValue(const char* subKey, const char* valueName, void* dest, uint32_t size) {
    DWORD type = 0;
    DWORD bytes = size;
    return SHGetValueA(HKEY_LOCAL_MACHINE, subKey, valueName, &type, dest, &bytes) == ERROR_SUCCESS;
}

bool Win32System::LoadIndirectString(const char* subKey, const char* valueName, char* dest,
                                     uint32_t size) {
    RegKey key;
    std::wstring name;
    if (size == 0 ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS ||
        !ToWide(valueName, name)) {
        return false;
    }
    // Every UTF-16 unit takes at least one byte in the code page, so size units hold any text that
    // can fit into size bytes.
    std::unique_ptr<wchar_t[]> text(new (std::nothrow) wchar_t[size]());
    DWORD used = 0;
    if (!text || RegLoadMUIStringW(key.Get(), name.c_str(), text.get(), size * sizeof(wchar_t),
                                   &used, 0, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    text[size - 1] = L'\0';
    std::string narrow;
    if (!ToNarrow(text.get(), -1, narrow) || narrow.size() >= size) {
        return false;
    }
    std::memcpy(dest, narrow.c_str(), narrow.size() + 1);
    return true;
}

bool Win32System::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key.Get(), valueName, nullptr, &type, nullptr, &size);
    // The value may grow between the two calls: ask again at the size reported (or more, should
    // the report not grow).
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        if (status == ERROR_MORE_DATA && size <= value.data.size()) {
            size = static_cast<DWORD>(value.data.size() * 2 + 1);
        }
        if (!Resize(value.data, size)) {
            return false;
        }
        status = RegQueryValueExA(key.Get(), valueName, nullptr, &type, value.data.data(), &size);
        if (status == ERROR_SUCCESS) {
            value.data.resize(size);  // a text can come back shorter than first reported
            value.name = valueName != nullptr ? valueName : "";
            value.type = type;
            return true;
        }
    }
    return false;
}

bool Win32System::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    RegKey key;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, subKey, key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD maxName = 0;
    DWORD maxData = 0;
    RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &maxName, &maxData, nullptr, nullptr);
    std::vector<uint8_t> name;
    std::vector<uint8_t> data;
    // The longest name is counted in characters; a UTF-8 name can take more bytes than that.
    if (!Resize(name, (maxName + 1) * 4) || !Resize(data, maxData + 1)) {
        return true;
    }
    for (DWORD index = 0;;) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueA(key.Get(), index, reinterpret_cast<char*>(name.data()),
                                          &nameSize, nullptr, &type, data.data(), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // The value changed since the key was measured: grow both and ask for it again.
            const DWORD grownData = dataSize > data.size() ? dataSize : data.size() * 2;
            if (!Resize(name, static_cast<DWORD>(name.size() * 2)) || !Resize(data, grownData)) {
                return true;
            }
            continue;
        }
        if (status != ERROR_SUCCESS) {
            return true;
        }
        RegistryValue value;
        value.name.assign(reinterpret_cast<const char*>(name.data()), nameSize);
        value.type = type;
        value.data.assign(data.begin(), data.begin() + dataSize);
        values.push_back(std::move(value));
        ++index;
    }
}

uint32_t Win32System::SetDwordValue(const char* subKey, const char* valueName, uint32_t value) {
    // Opened, never created: a start type is only ever written into a service that exists.
    RegKey key;
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_SET_VALUE, key.Receive());
    if (opened != ERROR_SUCCESS) {
        return static_cast<uint32_t>(opened);
    }
    const DWORD data = value;
    return static_cast<uint32_t>(RegSetValueExA(
        key.Get(), valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)));
}

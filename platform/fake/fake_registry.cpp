// The fake registry: keys by case-insensitive path, values in insertion order, reads that answer
// like SHGetValue (texts cut at their first NUL, REG_EXPAND_SZ expanded).
#include <cstring>
#include <memory>
#include <utility>

#include "platform/utf16.h"
#include "platform/ascii_case.h"
#include "platform/fake/fake_system.h"

namespace {

// Replaces each %SystemRoot% or %windir% (any case) by the Windows directory.
std::string Expand(const std::string& text, const std::string& windowsDirectory) {
    std::string result;
    std::string folded = FoldAscii(text);
    for (std::size_t i = 0; i < text.size();) {
        const char* names[] = {"%systemroot%", "%windir%"};
        bool replaced = false;
        for (const char* name : names) {
            if (folded.compare(i, std::strlen(name), name) == 0) {
                result += windowsDirectory;
                i += std::strlen(name);
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result += text[i++];
    }
    return result;
}

std::vector<uint8_t> TextBytes(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

}  // namespace

FakeSystem::Key* FakeSystem::FindKey(const std::string& key) {
    auto found = keys_.find(FoldAscii(key));
    return found == keys_.end() ? nullptr : &found->second;
}

RegistryValue* FakeSystem::FindValue(const std::string& key, const std::string& name) {
    Key* k = FindKey(key);
    if (k == nullptr)
        return nullptr;
    std::string folded = FoldAscii(name);
    for (RegistryValue& value : k->values) {
        if (FoldAscii(value.name) == folded)
            return &value;
    }
    return nullptr;
}

FakeSystem::Key& FakeSystem::MakeKey(const std::string& key) {
    const std::string folded = FoldAscii(key);
    for (std::size_t slash = folded.find('\\'); slash != std::string::npos;
         slash = folded.find('\\', slash + 1)) {
        keys_[folded.substr(0, slash)];
    }
    return keys_[folded];
}

RegistryValue& FakeSystem::ValueForWrite(const std::string& key, const std::string& name) {
    if (RegistryValue* value = FindValue(key, name))
        return *value;
    Key& k = MakeKey(key);
    k.values.push_back(RegistryValue());
    k.values.back().name = name;
    return k.values.back();
}

void FakeSystem::CreateKey(const std::string& key) {
    MakeKey(key);
}

void FakeSystem::DeleteKey(const std::string& key) {
    std::string folded = FoldAscii(key);
    std::string below = folded + "\\";
    for (auto it = keys_.begin(); it != keys_.end();) {
        bool under = it->first == folded || it->first.compare(0, below.size(), below) == 0;
        it = under ? keys_.erase(it) : std::next(it);
    }
}

void FakeSystem::DeleteValue(const std::string& key, const std::string& name) {
    Key* k = FindKey(key);
    if (k == nullptr)
        return;
    std::string folded = FoldAscii(name);
    for (auto it = k->values.begin(); it != k->values.end(); ++it) {
        if (FoldAscii(it->name) == folded) {
            k->values.erase(it);
            return;
        }
    }
}

void FakeSystem::SetString(const std::string& key, const std::string& name, const std::string& text,
                           uint32_t type) {
    SetRaw(key, name, type, TextBytes(text));
}

void FakeSystem::SetDword(const std::string& key, const std::string& name, uint32_t value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    SetRaw(key, name, kRegDword, bytes);
}

void FakeSystem::SetRaw(const std::string& key, const std::string& name, uint32_t type,
                        const std::vector<uint8_t>& data) {
    RegistryValue& value = ValueForWrite(key, name);
    value.type = type;
    value.data = data;
}

void FakeSystem::SetMultiString(const std::string& key, const std::string& name,
                                const std::vector<std::string>& strings) {
    std::u16string units;
    for (const std::string& text : strings) {
        units += Utf8ToUtf16(text.c_str());
        units += u'\0';
    }
    units += u'\0';
    std::vector<uint8_t> bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    SetRaw(key, name, kRegMultiSz, bytes);
}

void FakeSystem::SetIndirectString(const std::string& indirect, const std::string& text) {
    indirectStrings_[indirect] = text;
}

// A key of the fake, open as long as the object lives: it reads what its path holds at the time,
// and nothing once the key has been deleted.
class FakeSystem::OpenedKey : public RegistryKey {
public:
    OpenedKey(FakeSystem& system, std::string path) : system_(system), path_(std::move(path)) {}

    std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) override {
        return system_.OpenExisting(path_ + "\\" + Utf16ToUtf8(name));
    }
    bool GetValue(const char* valueName, RegistryValue& value) override {
        return system_.GetShellValue(path_, valueName, value);
    }
    bool LoadIndirectString(const char* valueName, std::string& text) override {
        return system_.LoadIndirectString(path_, valueName, text);
    }
    bool GetStoredText(const char* valueName, std::string& text) override {
        const RegistryValue* stored = system_.FindValue(path_, valueName);
        if (stored == nullptr || (stored->type != kRegSz && stored->type != kRegExpandSz))
            return false;
        text.assign(stored->data.begin(), stored->data.end());
        text.resize(std::strlen(text.c_str()));
        return true;
    }

private:
    FakeSystem& system_;
    std::string path_;
};

std::unique_ptr<RegistryKey> FakeSystem::OpenExisting(const std::string& key) {
    if (!FindKey(key))
        return nullptr;
    ++keysOpened_;
    return std::unique_ptr<RegistryKey>(new OpenedKey(*this, key));
}

std::unique_ptr<RegistryKey> FakeSystem::OpenKey(const std::u16string& path) {
    return OpenExisting(Utf16ToUtf8(path));
}

bool FakeSystem::GetShellValue(const std::string& key, const char* valueName,
                               RegistryValue& value) {
    RegistryValue* stored = FindValue(key, valueName);
    if (stored == nullptr)
        return false;
    value = *stored;
    if (value.type == kRegSz || value.type == kRegExpandSz) {
        std::string text(value.data.begin(), value.data.end());
        text.resize(std::strlen(text.c_str()));
        value.data = TextBytes(value.type == kRegExpandSz ? Expand(text, windowsDirectory_) : text);
    }
    return true;
}

bool FakeSystem::LoadIndirectString(const std::string& key, const char* valueName,
                                    std::string& text) {
    RegistryValue* value = FindValue(key, valueName);
    if (value == nullptr || value->data.empty())
        return false;
    std::string raw(value->data.begin(), value->data.end());
    auto found = indirectStrings_.find(raw.substr(0, raw.find('\0')));
    if (found == indirectStrings_.end())
        return false;
    text = found->second;
    return true;
}

bool FakeSystem::ReadValue(const char* subKey, const char* valueName, RegistryValue& value) {
    RegistryValue* stored = FindValue(subKey, valueName);
    if (stored == nullptr)
        return false;
    value = *stored;
    return true;
}

bool FakeSystem::EnumerateValues(const char* subKey, std::vector<RegistryValue>& values) {
    values.clear();
    Key* k = FindKey(subKey);
    if (k == nullptr)
        return false;
    values = k->values;
    return true;
}

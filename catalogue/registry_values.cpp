#include "catalogue/registry_values.h"

#include <cstring>

bool ReadTextValue(RegistryKey& key, const char* name, std::string& text) {
    RegistryValue value;
    if (!key.GetValue(name, value) || (value.type != kRegSz && value.type != kRegExpandSz))
        return false;
    text.assign(value.data.begin(), value.data.end());
    text.resize(std::strlen(text.c_str()));
    return true;
}

bool ReadDwordValue(RegistryKey& key, const char* name, uint32_t& number) {
    RegistryValue value;
    if (!key.GetValue(name, value) || value.type != kRegDword || value.data.size() != sizeof number)
        return false;
    std::memcpy(&number, value.data.data(), sizeof number);
    return true;
}

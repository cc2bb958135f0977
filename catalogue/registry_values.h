// Values of a service's key as the catalogue counts them: a text only as REG_SZ or REG_EXPAND_SZ,
// a number only as a REG_DWORD of four bytes; any other type is as good as missing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// The text up to its first NUL. False when the value is missing or no text.
bool ReadTextValue(RegistryKey& key, const char* name, std::string& text);
// False when the value is missing or no REG_DWORD.
bool ReadDwordValue(RegistryKey& key, const char* name, uint32_t& number);

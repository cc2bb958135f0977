// UTF-16, as the service manager and the registry keep names, and the program's UTF-8. Portable:
// the catalogue, the fake platform and the saved inventories convert names without the system.
#pragma once

#include <cstddef>
#include <string>

// Length of the well-formed UTF-8 sequence at s, of which avail bytes may be read; 0 when there is
// none there (a NUL, a byte no sequence starts with, a cut sequence, an overlong form, a surrogate
// or a code point above U+10FFFF). The one rule of what UTF-8 is.
std::size_t WellFormedUtf8Length(const unsigned char* s, std::size_t avail);

// The bytes one character takes as the text limits count characters: the length the lead byte
// announces when that many continuation bytes follow (forms the strict rule refuses included), or
// 1. Lenient on purpose, so a text in another code page is measured byte for byte.
std::size_t LenientUtf8CharLength(const unsigned char* s);

// A lone surrogate, which the manager accepts in a name, has no UTF-8 form: it becomes U+FFFD, so
// the converted text serves for display while the UTF-16 original stays the name to open things by.
std::string Utf16ToUtf8(const std::u16string& text);
// Each byte that does not belong to a well-formed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(const char* text);

// UTF-16, as the service manager and the registry keep names, and the program's UTF-8. Portable:
// the catalogue, the fake platform and the saved inventories convert names without the system.
#pragma once

#include <cstddef>
#include <string>

// Length of the UTF-8 sequence that starts at s, or 1 when it is not a valid sequence.
std::size_t Utf8SequenceLength(const unsigned char* s);

// A lone surrogate, which the manager accepts in a name, has no UTF-8 form: it becomes U+FFFD, so
// the converted text serves for display while the UTF-16 original stays the name to open things by.
std::string Utf16ToUtf8(const std::u16string& text);
// Invalid UTF-8 bytes become U+FFFD.
std::u16string Utf8ToUtf16(const char* text);

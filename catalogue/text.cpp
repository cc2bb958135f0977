#include "catalogue/text.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/utf16.h"

std::size_t TextCharCount(const char* text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t chars = 0;
    while (*s) {
        s += Utf8SequenceLength(s);
        ++chars;
    }
    return chars;
}

std::size_t TextPrefixBytes(const char* text, std::size_t maxChars) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t bytes = 0;
    for (std::size_t chars = 0; chars < maxChars && s[bytes]; ++chars) {
        bytes += Utf8SequenceLength(s + bytes);
    }
    return bytes;
}

void CopyText(char* dest, std::size_t destBytes, const char* src, std::size_t maxChars) {
    if (destBytes == 0)
        return;
    std::size_t n = TextPrefixBytes(src, maxChars);
    if (n > destBytes - 1) {
        // Never cut inside a character, even when the buffer is the narrower limit.
        n = destBytes - 1;
        while (n > 0 && (static_cast<unsigned char>(src[n]) & 0xC0) == 0x80)
            --n;
    }
    std::memmove(dest, src, n);
    dest[n] = '\0';
}

void FormatText(char* dest, std::size_t destBytes, std::size_t maxChars, const char* format, ...) {
    if (destBytes == 0)
        return;
    char buffer[kTextBytes * 2 + 16];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    CopyText(dest, destBytes, buffer, maxChars);
}

bool InfStringDefaultText(const std::string& value, std::string& text) {
    // The file, then ",%", the key (in which "%%" stands for a percent sign), "%;" and the text.
    const std::string::size_type keyStart = value.find(",%");
    if (value.empty() || value[0] != '@' || keyStart == std::string::npos || keyStart < 2)
        return false;
    for (std::string::size_type i = keyStart + 2; i < value.size(); ++i) {
        if (value[i] != '%')
            continue;
        if (i + 1 < value.size() && value[i + 1] == '%') {
            ++i;
            continue;
        }
        if (i == keyStart + 2 || i + 1 >= value.size() || value[i + 1] != ';')
            return false;
        text = value.substr(i + 2);
        return true;
    }
    return false;
}

#include "platform/utf16.h"

#include <cstdint>
#include <cstring>

std::size_t WellFormedUtf8Length(const unsigned char* s, std::size_t avail) {
    if (avail == 0 || s[0] == 0)
        return 0;
    const unsigned char c = s[0];
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            low = 0xA0;  // shorter forms are overlong
        if (c == 0xED)
            high = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (avail < n || s[1] < low || s[1] > high)
        return 0;
    for (std::size_t i = 2; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
    }
    return n;
}

std::size_t LenientUtf8CharLength(const unsigned char* s) {
    unsigned char c = s[0];
    std::size_t n;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    else
        return 1;
    for (std::size_t i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const char* text) {
    std::u16string out;
    if (text == nullptr)
        return out;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    const std::size_t size = std::strlen(text);
    for (std::size_t pos = 0; pos < size;) {
        const std::size_t n = WellFormedUtf8Length(s + pos, size - pos);
        uint32_t c = s[pos];
        if (n == 0) {
            c = 0xFFFD;
        } else if (n > 1) {
            c &= 0x7F >> n;
            for (std::size_t i = 1; i < n; ++i)
                c = (c << 6) | (s[pos + i] & 0x3F);
        }
        pos += n == 0 ? 1 : n;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

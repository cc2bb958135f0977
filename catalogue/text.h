// Fixed text fields of the records: at most 259 characters and a terminator. The program's texts
// are UTF-8, so a character takes up to 4 bytes; limits are counted in characters and a text is
// never cut inside a character.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kTextMaxChars = 259;
// Bytes of a text field: room for kTextMaxChars characters of up to 4 bytes each, plus the NUL.
constexpr std::size_t kTextBytes = kTextMaxChars * 4 + 1;

// Number of characters in the NUL-terminated text. Bytes that do not form valid UTF-8 count one
// character each, so a text in another code page is measured as the 8-bit model would.
std::size_t TextCharCount(const char* text);

// Length in bytes of the longest prefix of text that holds at most maxChars characters and does not
// end inside a character.
std::size_t TextPrefixBytes(const char* text, std::size_t maxChars);

// Copies src into dest (destBytes large) cut to at most maxChars characters, always terminated.
void CopyText(char* dest, std::size_t destBytes, const char* src,
              std::size_t maxChars = kTextMaxChars);

// Formats like snprintf into dest, then cuts the result to at most maxChars characters.
void FormatText(char* dest, std::size_t destBytes, std::size_t maxChars, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 4, 5)))
#endif
    ;

// True when text holds at most kTextMaxChars characters.
inline bool TextFits(const char* text) {
    return TextCharCount(text) <= kTextMaxChars;
}

// A text stored in the form a driver's INF file leaves behind, "@file.inf,%key%;text" (Windows'
// own UmPass description, for one): the resource loader cannot resolve it, and the text after the
// ';' is the one to show. False, leaving text alone, for any other value.
bool InfStringDefaultText(const std::string& value, std::string& text);

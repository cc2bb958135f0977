// The program's texts are UTF-8, whatever the process's code page (the manifest sets UTF-8, but
// Windows before 10 version 1903 ignores that); the system is called through its "W" functions,
// which speak UTF-16. These convert between the two, always naming CP_UTF8: nothing of the program
// goes through the process's code page.
#pragma once

#include <windows.h>

#include <string>

// The NUL-terminated UTF-8 text as UTF-16 (a byte that is not UTF-8 becomes U+FFFD). False, with
// wide empty, when the system cannot convert it.
bool ToWide(const char* text, std::wstring& wide);

// length UTF-16 units of text (-1: up to its NUL) as UTF-8 (a lone surrogate becomes U+FFFD).
// False, with narrow empty, when the system cannot convert it.
bool ToNarrow(const wchar_t* text, int length, std::string& narrow);

// The same as values, for texts that are known to convert (the program's own and the system's);
// empty when they do not. A null text (a field the system left out) is empty too.
std::wstring WideText(const std::string& text);
std::string NarrowText(const std::wstring& text);
std::string NarrowText(const wchar_t* text);

// A UTF-16 text of the portable code (a service's name as the manager gives it) as the "W" calls
// take it: wchar_t is UTF-16 on Windows.
inline const wchar_t* WideChars(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

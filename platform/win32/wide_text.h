// The program's texts are 8-bit, in its code page (UTF-8 through the manifest); the system's "W"
// calls and resources speak UTF-16. These two convert between them.
#pragma once

#include <windows.h>

#include <string>

// The NUL-terminated 8-bit text as UTF-16. False, with wide empty, when the system cannot convert
// it.
bool ToWide(const char* text, std::wstring& wide);

// length UTF-16 units of text (-1: up to its NUL) as 8-bit text. False, with narrow empty, when the
// system cannot convert it.
bool ToNarrow(const wchar_t* text, int length, std::string& narrow);

// The same as values, for texts that are known to convert (the program's own and the system's);
// empty when they do not.
std::wstring WideText(const std::string& text);
std::string NarrowText(const std::wstring& text);

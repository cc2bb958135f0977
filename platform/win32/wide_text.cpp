#include "platform/win32/wide_text.h"

bool ToWide(const char* text, std::wstring& wide) {
    wide.clear();
    if (!text)
        return false;
    const int units = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (units <= 0)
        return false;
    wide.resize(static_cast<size_t>(units));
    if (MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], units) != units) {
        wide.clear();
        return false;
    }
    wide.resize(static_cast<size_t>(units - 1));  // the NUL is the string's own
    return true;
}

bool ToNarrow(const wchar_t* text, int length, std::string& narrow) {
    narrow.clear();
    if (!text)
        return false;
    if (length == 0)
        return true;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    narrow.resize(static_cast<size_t>(bytes));
    if (WideCharToMultiByte(CP_UTF8, 0, text, length, &narrow[0], bytes, nullptr, nullptr) !=
        bytes) {
        narrow.clear();
        return false;
    }
    if (length < 0)
        narrow.resize(static_cast<size_t>(bytes - 1));  // the converted NUL
    return true;
}

std::wstring WideText(const std::string& text) {
    std::wstring wide;
    ToWide(text.c_str(), wide);
    return wide;
}

std::string NarrowText(const std::wstring& text) {
    std::string narrow;
    ToNarrow(text.c_str(), static_cast<int>(text.size()), narrow);
    return narrow;
}

std::string NarrowText(const wchar_t* text) {
    std::string narrow;
    ToNarrow(text, -1, narrow);
    return narrow;
}

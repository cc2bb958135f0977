// Windows compares key, value and service names, and the prefixes of the paths it stores, without
// regard to the case of the ASCII letters; these do the same. Portable.
#pragma once

#include <string>

inline std::string FoldAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

inline bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && FoldAscii(a) == FoldAscii(b);
}

inline bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

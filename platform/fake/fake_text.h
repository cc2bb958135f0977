// Text helpers of the fake: Windows compares key, value and service names without regard to case.
#pragma once

#include <string>

inline std::string FoldAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

#include "platform/device_names.h"

#include <algorithm>

namespace {

bool IsDeviceDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == 0x00B9 || c == 0x00B2 || c == 0x00B3;
}

}  // namespace

bool NamesDevice(const std::wstring& path) {
    std::wstring::size_type start = path.find_last_of(L"\\/");
    if (start != std::wstring::npos)
        ++start;
    else
        start = path.size() >= 2 && path[1] == L':' ? 2 : 0;  // "C:nul"
    std::wstring name = path.substr(start);
    name.erase(std::min(name.find_first_of(L".:"), name.size()));
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    for (wchar_t& c : name) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL" || name == L"CONIN$" ||
        name == L"CONOUT$")
        return true;
    return name.size() == 4 &&
           (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           IsDeviceDigit(name[3]);
}

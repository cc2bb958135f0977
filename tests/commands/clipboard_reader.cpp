// A second process for the copy tests: prints the clipboard's CF_UNICODETEXT as UTF-8 on its
// standard output; exit code 3 when the clipboard holds no text.
#include <windows.h>

#include <string>

int main() {
    if (!OpenClipboard(nullptr))
        return 2;
    std::string utf8;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
        utf8.resize(bytes > 0 ? static_cast<size_t>(bytes) : 1);
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, nullptr, nullptr);
        utf8.resize(utf8.size() - 1);
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (!data)
        return 3;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
              &written, nullptr);
    return 0;
}

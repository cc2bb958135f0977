// A second process for the copy tests: prints the clipboard's CF_UNICODETEXT as UTF-8 on its
// standard output; exit code 3 when the clipboard holds no text. With "/hold MS EVENT" it holds the
// clipboard open for MS milliseconds instead, as clipboard history does for a moment, and sets the
// named event once it holds it.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int HoldClipboard(DWORD milliseconds, const char* event) {
    if (!OpenClipboard(nullptr))
        return 2;
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, event);
    if (held) {
        SetEvent(held);
        CloseHandle(held);
    }
    Sleep(milliseconds);
    CloseClipboard();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "/hold") == 0)
        return HoldClipboard(static_cast<DWORD>(std::atoi(argv[2])), argv[3]);
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

#include "app/standard_streams.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"

namespace {

bool IsValidHandle(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The text and a line break on the stream (STD_OUTPUT_HANDLE or STD_ERROR_HANDLE).
void WriteLine(DWORD stream, const std::string& text) {
    const std::wstring line = WideText(text) + L"\r\n";
    HANDLE handle = GetStdHandle(stream);
    FileHandle console;
    if (!IsValidHandle(handle)) {
        // Attached already by an earlier message: that is the console still.
        if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
            return;
        console.Reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
        if (!console)
            return;
        handle = console.Get();
    }
    // In pieces: a comparison's report can be megabytes, and a console refuses one write of more
    // than 64 KB on older systems; a piece never ends between the two halves of a character.
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        for (std::size_t at = 0; at < line.size();) {
            DWORD piece = static_cast<DWORD>(std::min<std::size_t>(line.size() - at, 8192));
            if (at + piece < line.size() && IS_HIGH_SURROGATE(line[at + piece - 1]))
                --piece;
            DWORD written = 0;
            if (!WriteConsoleW(handle, line.c_str() + at, piece, &written, nullptr) || !written)
                return;
            at += written;
        }
        return;
    }
    // A pipe or a file gets UTF-8, whatever the program's code page.
    const std::string utf8 = NarrowText(line);
    for (std::size_t at = 0; at < utf8.size();) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(utf8.size() - at, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(handle, utf8.data() + at, piece, &written, nullptr) || !written)
            return;  // a reader that went away
        at += written;
    }
}

}  // namespace

void WriteToStandardOutput(const std::string& text) {
    WriteLine(STD_OUTPUT_HANDLE, text);
}

void WriteToStandardError(const std::string& text) {
    WriteLine(STD_ERROR_HANDLE, text);
}

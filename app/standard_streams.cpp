#include "app/standard_streams.h"

#include <windows.h>

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
    DWORD written = 0;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    // A pipe or a file gets UTF-8, whatever the program's code page.
    const std::string utf8 = NarrowText(line);
    WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

}  // namespace

void WriteToStandardOutput(const std::string& text) {
    WriteLine(STD_OUTPUT_HANDLE, text);
}

void WriteToStandardError(const std::string& text) {
    WriteLine(STD_ERROR_HANDLE, text);
}

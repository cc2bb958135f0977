// Text onto the clipboard, for the copy command.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Replaces the clipboard's content by the text as CF_UNICODETEXT. Returns 0, or the system's error
// code when the clipboard could not be had (another program holding it, say).
uint32_t PutTextOnClipboard(HWND owner, const std::wstring& text);

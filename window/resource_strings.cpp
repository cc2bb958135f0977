#include "window/resource_strings.h"

#include "platform/win32/wide_text.h"

HINSTANCE ResourceInstance() {
    return GetModuleHandleW(nullptr);
}

std::string LoadResString(UINT id) {
    // LoadStringW with a zero length gives a read-only pointer to the resource text itself, so no
    // length limit applies; the text is then converted to UTF-8.
    const wchar_t* text = nullptr;
    int length = LoadStringW(ResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return std::string();
    std::string result;
    ToNarrow(text, length, result);
    return result;
}

std::string CommandPrompt(UINT id) {
    std::string text = LoadResString(id);
    return text.substr(0, text.find('\n'));
}

std::string CommandTooltip(UINT id) {
    std::string text = LoadResString(id);
    size_t lineBreak = text.find('\n');
    return lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}

#include "window/message_box.h"

#include <utility>

#include "platform/win32/wide_text.h"
#include "window/application.h"
#include "window/dialog.h"
#include "window/resource_strings.h"

namespace {

// The innermost answerer of this thread; only tests install one.
thread_local ScopedMessageBoxAnswerer* tAnswerer = nullptr;

}  // namespace

ScopedMessageBoxAnswerer::ScopedMessageBoxAnswerer(Answer answer)
    : answer_(std::move(answer)), outer_(tAnswerer) {
    tAnswerer = this;
}

ScopedMessageBoxAnswerer::~ScopedMessageBoxAnswerer() {
    tAnswerer = outer_;
}

const ScopedMessageBoxAnswerer::Answer* ScopedMessageBoxAnswerer::Current() {
    return tAnswerer && tAnswerer->answer_ ? &tAnswerer->answer_ : nullptr;
}

int AppMessageBox(const std::string& text, UINT type) {
    if (const auto* answer = ScopedMessageBoxAnswerer::Current())
        return (*answer)(text, type);
    Application* app = Application::Current();
    std::string caption = app ? app->MessageBoxCaption() : std::string();
    return MessageBoxW(ModalOwnerWindow(), WideText(text).c_str(), WideText(caption).c_str(), type);
}

int AppMessageBox(UINT stringId, UINT type) {
    return AppMessageBox(LoadResString(stringId), type);
}

std::string FormatResString(UINT stringId, std::initializer_list<std::string> arguments) {
    std::string text = LoadResString(stringId);
    std::string::size_type from = 0;
    for (const std::string& argument : arguments) {
        const std::string::size_type at = text.find("%s", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, argument);
        from = at + argument.size();
    }
    return text;
}

std::string FormatResString(UINT stringId, const std::string& argument) {
    return FormatResString(stringId, {argument});
}

std::string SystemErrorText(DWORD error) {
    wchar_t buffer[2048];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, buffer, sizeof buffer / sizeof buffer[0],
                                  nullptr);
    std::string text = NarrowText(std::wstring(buffer, length));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty())
        text = std::to_string(error);
    return text;
}

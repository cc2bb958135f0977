#include "app/clipboard.h"

#include <cstring>

#include "platform/win32/handles.h"

namespace {

// Another program may hold the clipboard for a moment (clipboard history, a remote desktop's
// copy): asked again a few times, a tenth of a second apart at most, before the copy fails.
constexpr int kOpenAttempts = 6;
constexpr DWORD kOpenPauseMs = 20;

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        if (attempt == kOpenAttempts)
            return false;
        Sleep(kOpenPauseMs * attempt);
    }
}

// The clipboard, open for this window from construction until destruction.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool IsOpen() const { return open_; }

private:
    bool open_;
};

// The error of the call that just failed; a failure that set none still is one.
uint32_t LastError() {
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_ACCESS_DENIED;
}

}  // namespace

uint32_t PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return LastError();
    void* data = GlobalLock(memory.Get());
    if (!data)
        return LastError();
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(memory.Get());

    OpenedClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return LastError();
    memory.Release();  // the clipboard owns it now
    return 0;
}

#include "modal_driver.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

const char kAppCaption[] = "OrvaneWindows服务管理专家";
const char kPropertyCaption[] = "服务属性";
const char kGroupCaption[] = "Windows服务组";

namespace {

thread_local ModalDriver* tDriver = nullptr;

struct Search {
    const std::string* caption;
    const std::vector<HWND>* skip;
    HWND found;
};

bool IsDialogWindow(HWND hwnd) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    return std::string(className) == "#32770";
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (!IsDialogWindow(hwnd) || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd))
        return TRUE;
    if (WindowText(hwnd) != *search->caption)
        return TRUE;
    const auto& skip = *search->skip;
    if (std::find(skip.begin(), skip.end(), hwnd) != skip.end())
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

BOOL CALLBACK CloseDialog(HWND hwnd, LPARAM) {
    if (IsDialogWindow(hwnd) && IsWindowEnabled(hwnd)) {
        for (int id : {IDCANCEL, IDNO, IDOK}) {
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
    }
    return TRUE;
}

BOOL CALLBACK CollectStatic(HWND hwnd, LPARAM param) {
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (std::string(className) == "Static") {
        std::string text = WindowText(hwnd);
        auto* all = reinterpret_cast<std::string*>(param);
        if (!text.empty())
            *all += text;
    }
    return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<ModalStep> steps, DWORD timeoutMs)
    : steps_(std::move(steps)), timeoutMs_(timeoutMs), lastProgress_(GetTickCount()) {
    tDriver = this;
    timer_ = SetTimer(nullptr, 0, 30, OnTimer);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, timer_);
    if (tDriver == this)
        tDriver = nullptr;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (tDriver)
        tDriver->Tick();
}

void ModalDriver::Tick() {
    if (next_ < steps_.size()) {
        Search search = {&steps_[next_].caption, &handled_, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            handled_.push_back(search.found);
            ModalStep& step = steps_[next_++];
            lastProgress_ = GetTickCount();
            if (step.act)
                step.act(search.found);
            return;
        }
    }
    if (GetTickCount() - lastProgress_ > timeoutMs_)
        CloseEverything();
}

void ModalDriver::CloseEverything() {
    // A window nobody expected (or one that never came): unwind so the test can report it.
    timedOut_ = true;
    lastProgress_ = GetTickCount();
    EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
}

void PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button)
        PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
}

std::string WindowText(HWND hwnd) {
    wchar_t text[4096] = {};
    GetWindowTextW(hwnd, text, 4096);
    return NarrowText(text);
}

std::string MessageBoxText(HWND box) {
    std::string all;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND OwnerOf(HWND hwnd) {
    return GetWindow(hwnd, GW_OWNER);
}

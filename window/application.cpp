#include "window/application.h"

#include <algorithm>

#include "window/window.h"

namespace {
Application* g_current = nullptr;

template <typename T>
void AddOnce(std::vector<T*>& list, T* item) {
    if (item && std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

template <typename T>
void RemoveFrom(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

Application::Application() {
    if (!g_current)
        g_current = this;
}

Application::~Application() {
    if (g_current == this)
        g_current = nullptr;
}

Application* Application::Current() {
    return g_current;
}

HWND Application::MainWindowHandle() const {
    return mainWindow_ ? mainWindow_->Handle() : nullptr;
}

void Application::OnMainWindowDestroyed(Window* window) {
    if (window != mainWindow_)
        return;
    mainWindow_ = nullptr;
    PostQuitMessage(0);
}

void Application::AddMessageFilter(MessageFilter* filter) {
    AddOnce(filters_, filter);
}

void Application::RemoveMessageFilter(MessageFilter* filter) {
    RemoveFrom(filters_, filter);
}

void Application::AddIdleHandler(IdleHandler* handler) {
    AddOnce(idleHandlers_, handler);
}

void Application::RemoveIdleHandler(IdleHandler* handler) {
    RemoveFrom(idleHandlers_, handler);
}

bool Application::PreTranslate(MSG& msg) {
    for (MessageFilter* filter : filters_) {
        if (filter->PreTranslateMessage(msg))
            return true;
    }
    return false;
}

void Application::OnIdle() {
    for (IdleHandler* handler : idleHandlers_)
        handler->OnIdle();
}

bool Application::DispatchWaiting(WPARAM& quitCode) {
    bool quit = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            quitCode = msg.wParam;
            continue;
        }
        if (PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return quit;
}

void Application::PumpPending() {
    WPARAM dropped = 0;
    DispatchWaiting(dropped);
    OnIdle();
}

void Application::PumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        if (DispatchWaiting(quitCode))
            quit = true;
        OnIdle();
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
}

int Application::Run() {
    MSG msg;
    for (;;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle();
        int got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got < 0)
            return -1;
        if (PreTranslate(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND MainWindowHandle() {
    Application* app = Application::Current();
    return app ? app->MainWindowHandle() : nullptr;
}

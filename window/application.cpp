#include "window/application.h"

#include "window/frame_window.h"

namespace {
Application* g_current = nullptr;
}

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

void Application::OnMainWindowDestroyed(FrameWindow* frame) {
    if (frame != mainWindow_)
        return;
    mainWindow_ = nullptr;
    PostQuitMessage(0);
}

bool Application::TranslateForMainWindow(MSG& msg) {
    if (!mainWindow_ || !mainWindow_->Handle() || !mainWindow_->Accelerators())
        return false;
    HWND main = mainWindow_->Handle();
    // Keys go to the main window's table only while one of its windows has them.
    if (msg.hwnd != main && !IsChild(main, msg.hwnd))
        return false;
    return TranslateAcceleratorA(main, mainWindow_->Accelerators(), &msg) != 0;
}

void Application::OnIdle() {
    if (mainWindow_ && mainWindow_->Handle())
        mainWindow_->UpdateToolBarButtons();
}

void Application::PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (TranslateForMainWindow(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    OnIdle();
}

void Application::PumpFor(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    bool quit = false;
    WPARAM quitCode = 0;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            if (TranslateForMainWindow(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
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
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnIdle();
        int got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got < 0)
            return -1;
        if (TranslateForMainWindow(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND MainWindowHandle() {
    Application* app = Application::Current();
    return app ? app->MainWindowHandle() : nullptr;
}

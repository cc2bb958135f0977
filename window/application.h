// The one application object: it runs the message loop (its message filters before dispatch, its
// idle handlers when the queue is empty) and is the way every part of the program reaches the main
// window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window/command_table.h"
#include "window/message_hooks.h"

class Window;

class Application : public CommandTarget {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object of the program, or null before it exists.
    static Application* Current();

    // The main window, or null when there is none (not yet created, or destroyed).
    Window* MainWindow() const { return mainWindow_; }
    HWND MainWindowHandle() const;

    // Creates the main window; false ends the program.
    virtual bool InitInstance() = 0;
    // Runs the message loop until WM_QUIT; returns its exit code.
    int Run();
    // Handles every message that is waiting, then runs the idle step once. For driving windows
    // step by step: a quit posted by a closed main window is dropped, so the next one starts clean.
    void PumpPending();
    // Spends ms milliseconds handling the window's messages as the loop does (paint, input,
    // timers, accelerators, the idle step when the queue is empty), for work that waits on
    // something outside while the window stays responsive. The wait cursor shows meanwhile (the
    // frame gives it on WM_SETCURSOR) and the cursor it replaced comes back afterwards. A quit
    // that arrives meanwhile is kept for the message loop.
    void PumpFor(DWORD ms);
    // True while PumpFor waits.
    bool IsWaiting() const { return waiting_ > 0; }
    // The idle step: every idle handler, in the order they were added.
    virtual void OnIdle();

    // The caption of the application's message boxes.
    virtual std::string MessageBoxCaption() const { return std::string(); }

    // The main window: it exists, or it is gone (its WM_DESTROY; the loop then ends).
    void SetMainWindow(Window* window) { mainWindow_ = window; }
    void OnMainWindowDestroyed(Window* window);

    // Hooks into the loop; each is added once and must be removed before it goes.
    void AddMessageFilter(MessageFilter* filter);
    void RemoveMessageFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);
    void RemoveIdleHandler(IdleHandler* handler);

private:
    bool PreTranslate(MSG& msg);
    // Handles every waiting message; true, with its code, when a WM_QUIT was among them (it is
    // taken out of the queue).
    bool DispatchWaiting(WPARAM& quitCode);

    Window* mainWindow_ = nullptr;
    int waiting_ = 0;
    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
};

// The main window's handle, or null: the owner of the program's dialogs and message boxes.
HWND MainWindowHandle();

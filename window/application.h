// The one application object: it creates the main window, runs the message loop (accelerators and
// an idle step when the queue is empty) and is the way every part of the program reaches the main
// window.
#pragma once

#include <windows.h>

#include "window/command_table.h"

class FrameWindow;

class Application : public CommandTarget {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The application object of the program, or null before it exists.
    static Application* Current();

    // The main window, or null when there is none (not yet created, or destroyed).
    FrameWindow* MainWindow() const { return mainWindow_; }
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
    // something outside while the window stays responsive. A quit that arrives meanwhile is kept
    // for the message loop.
    void PumpFor(DWORD ms);
    // The idle step: brings the main window's command states up to date.
    virtual void OnIdle();

    // Called by the main window: it exists, or it is gone (WM_DESTROY; the loop then ends).
    void SetMainWindow(FrameWindow* frame) { mainWindow_ = frame; }
    void OnMainWindowDestroyed(FrameWindow* frame);

private:
    bool TranslateForMainWindow(MSG& msg);

    FrameWindow* mainWindow_ = nullptr;
};

// The main window's handle, or null: the owner of the program's dialogs and message boxes.
HWND MainWindowHandle();

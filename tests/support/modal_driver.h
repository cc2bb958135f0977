// Plays the user for the modal windows of the test's own thread. A thread timer, which every modal
// loop dispatches, looks for the next expected window: a visible, enabled dialog window (#32770)
// with the step's caption that no earlier step acted on. The step's action reads it and answers
// with posted messages, so the modal loop goes on while the timer procedure returns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ModalStep {
    std::string caption;            // UTF-8 window text of the dialog to wait for
    std::function<void(HWND)> act;  // runs once on that window
};

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps, DWORD timeoutMs = 15000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Every step ran, and nothing had to be closed for want of a step.
    bool Done() const { return next_ == steps_.size() && !timedOut_; }
    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void CloseEverything();

    std::vector<ModalStep> steps_;
    size_t next_ = 0;
    std::vector<HWND> handled_;
    DWORD timeoutMs_;
    DWORD lastProgress_;
    bool timedOut_ = false;
    UINT_PTR timer_ = 0;
};

// Caption of every application message box, and the texts of the program's own dialogs.
extern const char kAppCaption[];
extern const char kPropertyCaption[];
extern const char kGroupCaption[];

// Presses a button of a dialog the way a click does (BM_CLICK, posted).
void PressButton(HWND dialog, int id);
// A key pressed on a control of the dialog (posted), e.g. VK_RETURN, VK_ESCAPE.
void PressKey(HWND control, WPARAM key);
// The texts of a message box (its static controls), joined.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND hwnd);
// The window that owns hwnd, or null.
HWND OwnerOf(HWND hwnd);

// The application's message boxes: a text or a string-table text, owned by the main window and
// captioned with the caption the application object gives. Tests can answer them in place of the
// user through a per-thread answerer; without one the real message box runs.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>

// Shows text with the MB_ style type; the button the user chose (IDOK, IDYES, ...).
int AppMessageBox(const std::string& text, UINT type = MB_OK);
// The same with the text of a string-table entry.
int AppMessageBox(UINT stringId, UINT type = MB_OK);

// The string-table text with its "%s" replaced by the arguments in turn (each taken as is, never as
// a format).
std::string FormatResString(UINT stringId, std::initializer_list<std::string> arguments);
std::string FormatResString(UINT stringId, const std::string& argument);

// The system's reason for an error code, without the trailing line break; the code as a number
// when the system has no text for it.
std::string SystemErrorText(DWORD error);

// Answers every application message box of the current thread while it lives, instead of the
// user: receives the text and the style, returns the button. Nested answerers restore the outer.
class ScopedMessageBoxAnswerer {
public:
    using Answer = std::function<int(const std::string& text, UINT type)>;
    explicit ScopedMessageBoxAnswerer(Answer answer);
    ~ScopedMessageBoxAnswerer();
    // The answerer in force on this thread, or null.
    static const Answer* Current();
    ScopedMessageBoxAnswerer(const ScopedMessageBoxAnswerer&) = delete;
    ScopedMessageBoxAnswerer& operator=(const ScopedMessageBoxAnswerer&) = delete;

private:
    Answer answer_;
    ScopedMessageBoxAnswerer* outer_;
};

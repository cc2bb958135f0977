// A screen reader's view of a pane that paints its text itself: WM_GETOBJECT is answered with the
// system's standard accessible object for the window, wrapped so that its name, value, role and
// state are the pane's own (a read-only text whose value is what the pane shows).
#pragma once

#include <windows.h>

#include <string>

// What the pane shows, read afresh whenever a client asks.
class AccessibleText {
public:
    virtual ~AccessibleText() = default;
    virtual std::wstring AccessibleName() const = 0;
    virtual std::wstring AccessibleValue() const = 0;
};

class PaneAccessibility {
public:
    explicit PaneAccessibility(const AccessibleText& source) : source_(source) {}
    ~PaneAccessibility();
    PaneAccessibility(const PaneAccessibility&) = delete;
    PaneAccessibility& operator=(const PaneAccessibility&) = delete;

    // WM_GETOBJECT for the window: true with the answer for the client area; false leaves the
    // message to the window's default handling.
    bool OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // What the pane shows has changed: clients that listen are told.
    static void NotifyValueChanged(HWND hwnd);
    // The window is going: clients that still hold the object get "not connected" from now on.
    void Disconnect();

private:
    class Object;

    const AccessibleText& source_;
    Object* object_ = nullptr;  // one reference held while the window lives
    HMODULE oleacc_ = nullptr;
    bool apartment_ = false;  // this thread entered a COM apartment for the object
};

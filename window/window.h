// The C++ object behind a window. Windows of our own classes receive the object in lpCreateParams
// and bind it at WM_NCCREATE; system controls and dialog templates are bound by subclassing. Every
// message then reaches the one virtual handler of the object's class; a WM_NOTIFY first reaches the
// object of the control that sent it (reflection).
#pragma once

#include <windows.h>

#include "window/dpi_scale.h"

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

    // The DPI the window is shown at (96 until it exists), and a size given for 96 DPI at it.
    int Dpi() const { return dpi_; }
    int Scale(int pixels) const { return ScaleToDpi(pixels, dpi_); }
    // From now on the window is shown at dpi (moved to a monitor of another scale): the object
    // makes again what it made for the old one. Its frame calls this on itself and on every window
    // of ours inside it, then lays them out again.
    void ChangeDpi(int dpi);

    // The object bound to hwnd, or null when the window has none of ours.
    static Window* FromHandle(HWND hwnd);

    // Registers, once per name, a class whose windows dispatch to their objects. Names and titles
    // are UTF-8; the windows are Unicode windows.
    static bool RegisterWindowClass(const char* className, UINT classStyle, HCURSOR cursor,
                                    HBRUSH background, HICON icon = nullptr);

    // Creates a window of a class registered above; the object sees every message from
    // WM_NCCREATE on (earlier ones go to DefWindowProc).
    bool Create(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU menuOrId);

    // Binds the object to an existing window (a system control, a dialog) by subclassing it.
    bool Attach(HWND hwnd);

    // Destroys the window if it still exists.
    void Destroy();

    // A WM_NOTIFY that this window sent, handed back to it by its parent before the parent looks
    // at it. True when handled; result is then the parent's answer.
    virtual bool OnReflectedNotify(NMHDR* header, LRESULT& result);

protected:
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // What the window does without us: DefWindowProc, or the subclassed window's own procedure.
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Called once the window is gone (after WM_NCDESTROY); the object stays alive.
    virtual void OnWindowGone() {}
    // Dpi() has changed from oldDpi: fonts, images and sizes made for it are made again.
    virtual void OnDpiChanged(int oldDpi) { (void)oldDpi; }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // Offers a WM_NOTIFY to the object of the window that sent it; true when that object handled
    // it.
    static bool ReflectNotify(LPARAM lParam, LRESULT& result);
    void Unbind();

    HWND hwnd_ = nullptr;
    int dpi_ = kStandardDpi;
    bool subclassed_ = false;
    WNDPROC original_ = nullptr;  // the subclassed window's own procedure
};

// Moves window (keeping its size) so that its centre is the centre of over when that is a visible
// window, otherwise the centre of the work area.
void CenterWindow(HWND window, HWND over = nullptr);

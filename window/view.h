// Panes of a frame: each is created by a splitter as a child window of a given initial size, and
// receives its initial update once the whole frame exists, in creation order.
#pragma once

#include <windows.h>

#include <vector>

#include "window/command_table.h"
#include "window/window.h"

class View;

// What the panes of one frame share while the frame is being built.
struct CreateContext {
    std::vector<View*> views;  // every pane created so far, in creation order
};

class View : public Window, public CommandTarget {
public:
    // Creates the pane's window as a child of parent with the child id and rectangle.
    virtual bool CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext& context) = 0;
    // The pane's own set-up, once its frame is complete.
    virtual void OnInitialUpdate() {}
};

// A pane that is a system control (tree, list): created with the control's window class and
// subclassed; its notifications come back to it from the parent (OnReflectedNotify).
class ControlPane : public View {
public:
    bool CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext& context) override;

protected:
    explicit ControlPane(const wchar_t* controlClass) : controlClass_(controlClass) {}
    // Adjusts the creation parameters before the window exists; false cancels the creation.
    // Panes start as WS_CHILD | WS_VISIBLE with no border: the splitter draws it.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);

private:
    const wchar_t* controlClass_;
};

class TreePane : public ControlPane {
protected:
    TreePane() : ControlPane(L"SysTreeView32") {}
};

class ListPane : public ControlPane {
protected:
    ListPane() : ControlPane(L"SysListView32") {}
};

// A pane laid out by a dialog template (a child template, no controls needed); it paints itself.
// Messages reach HandleMessage; what it leaves goes to the dialog's default handling.
class FormPane : public View {
public:
    bool CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext& context) override;

protected:
    explicit FormPane(UINT templateId) : templateId_(templateId) {}

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    UINT templateId_;
};

// A pane that is a plain window of our own, holding other windows (a splitter).
class ContainerPane : public View {
public:
    bool CreatePane(HWND parent, UINT id, const RECT& rect, CreateContext& context) override;

protected:
    // Runs inside the pane's WM_CREATE: creates what the pane holds; false fails the creation.
    virtual bool OnCreateClient(CreateContext& context) = 0;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CreateContext* context_ = nullptr;  // only while the window is being created
};

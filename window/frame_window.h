// A frame window: menu, a toolbar that docks at any edge or floats, a status bar with one message
// pane, and one client window (the pane id) laid out in the rest. It routes commands (active view,
// then itself, then the application), shows command prompts and tooltips, translates its
// accelerators as the loop's message filter and, as its idle handler, brings the toolbar's buttons
// in line with the command states. It is busy while a command hands the message loop on as it
// waits (FrameBusyScope): the commands that are not for busy times are then disabled and refused,
// and a close waits until the command has ended.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "window/command_table.h"
#include "window/dpi.h"
#include "window/message_hooks.h"
#include "window/toolbar_dock.h"
#include "window/view.h"
#include "window/window.h"

class FrameWindow : public Window, public CommandTarget, public MessageFilter, public IdleHandler {
public:
    FrameWindow();
    ~FrameWindow() override;

    HWND StatusBar() const { return statusBar_; }
    HWND ToolBar() const { return dock_.ToolBar(); }
    ToolbarDock& Dock() { return dock_; }
    HACCEL Accelerators() const { return accelerators_; }

    // Runs a command through the active view, this frame and the application; false when none
    // handles it. A disabled command is taken and refused.
    bool RouteCommand(UINT id);
    // True when some handler takes the command and its update function (if any) allows it.
    bool IsCommandEnabled(UINT id) const;
    // Enables or disables each toolbar button, sending a change only.
    void UpdateToolBarButtons();

    // Its accelerators, for keys that reach the frame or one of its child windows.
    bool PreTranslateMessage(MSG& msg) override;
    // The idle step: UpdateToolBarButtons.
    void OnIdle() override;

    // The status pane's text while no prompt or service is shown; set before the status bar exists.
    void SetIdleText(const std::string& text) { idleText_ = text; }

    // Status pane 0, redrawn at once.
    void SetMessageText(const char* text);
    std::string MessageText() const;

    View* ActiveView() const { return activeView_; }
    void SetActiveView(View* view) { activeView_ = view; }

    // Places the bars and gives the client window the rest of the client area.
    void RecalcLayout();

    const CommandTable* Commands() const override { return &commands_; }

    bool IsBusy() const { return busy_ > 0; }

protected:
    // Creates the client window (child id AFX_IDW_PANE_FIRST) while the frame is being created.
    virtual bool OnCreateClient(CreateContext& context) = 0;
    // Toolbar from a toolbar resource (button ids, 0 for a separator) with the given styles.
    bool CreateToolBar(UINT resourceId, DWORD controlStyle, UINT id);
    // Status bar with the single message pane.
    bool CreateStatusBar(UINT id);
    void LoadAcceleratorTable(UINT resourceId);

    // The frame's own handling of WM_CREATE after the client exists; -1 fails the creation.
    virtual int OnCreate() { return 0; }
    virtual void OnSize(UINT type, int width, int height);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;
    // The toolbar's images, padding and the status bar's font go to the new scale; a frame that
    // gives the toolbar an image list of its own makes it again here.
    void OnDpiChanged(int oldDpi) override;

    CommandTable commands_;
    CreateContext* createContext_ = nullptr;  // only while the window is being created

private:
    friend class FrameBusyScope;
    void BeginBusy() { ++busy_; }
    // The last busy scope has ended: a close that came meanwhile is carried out now.
    void EndBusy();
    // WM_DPICHANGED: every window of ours in the frame goes to the new scale, then the frame takes
    // the suggested rectangle and lays everything out again.
    void OnDpiChangedMessage(int dpi, const RECT* suggested);
    bool OnNotify(NMHDR* header, LRESULT& result);
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    void OnInitMenuPopup(HMENU menu);
    void ShowPrompt(UINT id);
    void ShowIdleText();
    bool FillTooltip(NMHDR* header);

    HWND statusBar_ = nullptr;
    ControlFont statusFont_;
    SIZE toolBarImageSize_ = {};  // of the toolbar resource, at 96 DPI
    HACCEL accelerators_ = nullptr;
    ToolbarDock dock_;
    View* activeView_ = nullptr;
    std::string idleText_;
    std::wstring tooltipWide_;  // kept alive for the tooltip that reads it
    int busy_ = 0;
    bool closeDeferred_ = false;
};

// Holds the application's main frame busy for as long as it lives (nothing when the main window
// is no frame). Scopes nest.
class FrameBusyScope {
public:
    FrameBusyScope();
    ~FrameBusyScope();
    FrameBusyScope(const FrameBusyScope&) = delete;
    FrameBusyScope& operator=(const FrameBusyScope&) = delete;

private:
    FrameWindow* frame_;
};

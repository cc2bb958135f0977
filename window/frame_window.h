// A frame window: menu, a toolbar that docks at any edge or floats, a status bar with one message
// pane, and one client window (the pane id) laid out in the rest. It routes commands (active view,
// then itself, then the application), shows command prompts and tooltips, and brings the toolbar's
// buttons in line with the command states when the application is idle.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "window/command_table.h"
#include "window/toolbar_dock.h"
#include "window/view.h"
#include "window/window.h"

class FrameWindow : public Window, public CommandTarget {
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
    // The idle step: enables or disables each toolbar button, sending a change only.
    void UpdateToolBarButtons();

    // Status pane 0, redrawn at once.
    void SetMessageText(const char* text);
    std::string MessageText() const;

    View* ActiveView() const { return activeView_; }
    void SetActiveView(View* view) { activeView_ = view; }

    // Places the bars and gives the client window the rest of the client area.
    void RecalcLayout();

    const CommandTable* Commands() const override { return &commands_; }

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

    CommandTable commands_;
    CreateContext* createContext_ = nullptr;  // only while the window is being created

private:
    // The first entry with a handler, in routing order, or null.
    const CommandEntry* FindHandler(UINT id) const;
    bool OnNotify(NMHDR* header, LRESULT& result);
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    void OnInitMenuPopup(HMENU menu);
    void ShowPrompt(UINT id);
    void ShowIdleText();
    bool FillTooltip(NMHDR* header);

    HWND statusBar_ = nullptr;
    HACCEL accelerators_ = nullptr;
    ToolbarDock dock_;
    View* activeView_ = nullptr;
    std::string tooltipText_;  // kept alive for the tooltip that reads it
    std::wstring tooltipWide_;
};

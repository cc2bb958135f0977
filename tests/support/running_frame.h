// The program's main window started as the program starts it (application object, initial
// updates, shown), on a platform of the test's choosing, with ways to drive it with messages and to
// read back what its controls hold.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "app/data_view.h"
#include "app/main_frame.h"
#include "platform/platform.h"
#include "views/class_view.h"
#include "views/detail_view.h"
#include "views/win_svr_view.h"

// Handles every waiting message and runs the application's idle step; a quit posted by a closed
// main window is dropped, so it cannot end a later modal loop.
void Pump();

// The quoted path of a program built beside the running test, for a command line.
std::string ProgramBesideTest(const char* fileName);
// Runs a second process (RunCommand) while this thread keeps answering messages: what that process
// asks of our windows (the clipboard's owner, an accessible object) is answered meanwhile.
int RunWhilePumping(const std::string& commandLine, std::string& output);

class RunningFrame {
public:
    RunningFrame(ServiceManagerApi& services, ServiceRegistryApi& registry,
                 GroupRegistryApi& groupRegistry);
    // On a system that is all three (the fake, the live one).
    template <typename System>
    explicit RunningFrame(System& system) : RunningFrame(system, system, system) {}
    ~RunningFrame();
    RunningFrame(const RunningFrame&) = delete;
    RunningFrame& operator=(const RunningFrame&) = delete;

    bool Started() const { return started_; }
    CMainFrame& Frame() const { return *theApp.MainFrame(); }
    HWND FrameWindow() const { return Frame().Handle(); }
    CClassView& Tree() const { return *Frame().FindClassView(); }
    CWinSvrView& List() const { return *Frame().FindServiceListView(); }
    HWND ListControl() const { return List().ListControl(); }
    CDetailView& Detail() const { return *Frame().FindDetailView(); }
    CDataView& Data() const { return *Frame().FindDataView(); }

    // Sends a command to the frame as the toolbar does, then handles what it left queued.
    void Command(UINT id);

    // Tree nodes in display order (the category table's order) and their labels.
    std::vector<HTREEITEM> TreeItems() const;
    std::string TreeLabel(HTREEITEM item) const;
    HTREEITEM SelectedNode() const;
    void SelectNode(HTREEITEM item);

    int RowCount() const;
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);
    // Column 0 of every row, in row order.
    std::vector<std::string> Names() const;
    // The row whose column 0 is name, or -1.
    int RowOf(const std::string& name) const;
    void SelectRow(int row);
    // Selects the row whose column 0 is name; its index, or -1 (and nothing selected) when the
    // service is not listed.
    int SelectService(const std::string& name);

    std::string StatusText() const { return Frame().MessageText(); }
    // A size given for 96 DPI, at the frame's display scale.
    int Scaled(int pixels) const { return Frame().Scale(pixels); }
    // A window's rectangle in the frame's client coordinates.
    RECT RectInFrame(HWND hwnd) const;

private:
    bool started_ = false;
};

int Width(const RECT& rect);
int Height(const RECT& rect);

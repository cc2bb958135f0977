// The program's main window started as the program starts it (application object, initial
// updates, shown), on a platform of the test's choosing, with ways to read back what its controls
// hold and to drive them with messages.
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

// Handles every waiting message and runs the application's idle step.
void Pump();

class RunningFrame {
public:
    RunningFrame(ServiceManagerApi& services, RegistryApi& registry);
    ~RunningFrame();
    RunningFrame(const RunningFrame&) = delete;
    RunningFrame& operator=(const RunningFrame&) = delete;

    bool Started() const { return started_; }
    CMainFrame& Frame() const { return *theApp.MainFrame(); }
    HWND FrameWindow() const { return Frame().Handle(); }
    CClassView& Tree() const { return *Frame().FindClassView(); }
    CWinSvrView& List() const { return *Frame().FindServiceListView(); }
    CDetailView& Detail() const { return *Frame().FindDetailView(); }
    CDataView& Data() const { return *Frame().FindDataView(); }

    // Tree nodes in display order (the category table's order) and their labels.
    std::vector<HTREEITEM> TreeItems() const;
    std::string TreeLabel(HTREEITEM item) const;
    HTREEITEM SelectedNode() const;
    void SelectNode(HTREEITEM item);

    int RowCount() const;
    std::string Cell(int row, int column) const;
    // Column 0 of every row, in row order.
    std::vector<std::string> Names() const;
    int RowOf(const std::string& name) const;
    void SelectRow(int row);

    std::string StatusText() const { return Frame().MessageText(); }
    // A window's rectangle in the frame's client coordinates.
    RECT RectInFrame(HWND hwnd) const;

private:
    bool started_ = false;
};

int Width(const RECT& rect);
int Height(const RECT& rect);

class FakeSystem;
// A small system: Win32 services in every run state and start type, two svchost services, and
// drivers of both kinds. Win32 names in enumeration order: Alpha, Beta, Gamma, Delta, Epsilon,
// LocalSvc, NetSvc; drivers: DrvBoot, DrvFs, DrvAuto.
void AddSampleServices(FakeSystem& system);

// The program's main frame on a platform of the test's choosing, built as the program builds it
// (application object, initial updates), and ways to read and select rows of its service list.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_frame.h"
#include "platform/platform.h"
#include "views/win_svr_view.h"

class FrameHarness {
public:
    FrameHarness(ServiceManagerApi& services, RegistryApi& registry);
    ~FrameHarness();
    FrameHarness(const FrameHarness&) = delete;
    FrameHarness& operator=(const FrameHarness&) = delete;

    bool Ready() const { return list_ != nullptr; }
    HWND Frame() const;
    CMainFrame& MainFrame() const;
    CWinSvrView& List() const { return *list_; }
    HWND ListControl() const { return list_->ListControl(); }

    // Sends a command to the frame as the toolbar does, then handles what it left queued.
    void Command(UINT id);
    // Row of the service in column 0, or -1.
    int RowOf(const std::string& name) const;
    void Select(int row);
    std::string Cell(int row, int column) const;
    void SetCell(int row, int column, const std::string& text);

private:
    CWinSvrView* list_ = nullptr;
};

// Handles every message waiting for this thread.
void PumpPending();

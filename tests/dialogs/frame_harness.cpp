#include "frame_harness.h"

#include <commctrl.h>

#include "app/app.h"

FrameHarness::FrameHarness(ServiceManagerApi& services, RegistryApi& registry) {
    theApp.SetPlatform(services, registry);
    if (!theApp.InitInstance())
        return;
    PumpPending();
    list_ = theApp.MainFrame()->FindServiceListView();
}

FrameHarness::~FrameHarness() {
    theApp.ExitInstance();
    // The frame's end posts WM_QUIT, which would end the next test's modal loops.
    PumpPending();
}

HWND FrameHarness::Frame() const {
    return theApp.MainFrame()->Handle();
}

CMainFrame& FrameHarness::MainFrame() const {
    return *theApp.MainFrame();
}

void FrameHarness::Command(UINT id) {
    SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpPending();
}

int FrameHarness::RowOf(const std::string& name) const {
    int count = static_cast<int>(SendMessageA(ListControl(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        if (Cell(row, 0) == name)
            return row;
    }
    return -1;
}

void FrameHarness::Select(int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(ListControl(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    PumpPending();
}

std::string FrameHarness::Cell(int row, int column) const {
    char text[2048] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(ListControl(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

void FrameHarness::SetCell(int row, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(ListControl(), LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

#include "gui_harness.h"

#include "catalogue/text.h"
#include "platform/fake/fake_system.h"

void Pump() {
    Application* app = Application::Current();
    if (app) {
        app->PumpPending();
        return;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

RunningFrame::RunningFrame(ServiceManagerApi& services, RegistryApi& registry) {
    theApp.SetPlatform(services, registry);
    started_ = theApp.InitInstance();
    Pump();
}

RunningFrame::~RunningFrame() {
    theApp.ExitInstance();
    Pump();
}

std::vector<HTREEITEM> RunningFrame::TreeItems() const {
    std::vector<HTREEITEM> items;
    HWND tree = Tree().Handle();
    auto next = [tree](HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    // Depth-first, children before the next sibling: the order of insertion.
    std::vector<HTREEITEM> stack;
    for (HTREEITEM root = next(nullptr, TVGN_ROOT); root; root = next(root, TVGN_NEXT)) {
        stack.push_back(root);
        while (!stack.empty()) {
            HTREEITEM item = stack.back();
            stack.pop_back();
            items.push_back(item);
            std::vector<HTREEITEM> children;
            for (HTREEITEM c = next(item, TVGN_CHILD); c; c = next(c, TVGN_NEXT))
                children.push_back(c);
            stack.insert(stack.end(), children.rbegin(), children.rend());
        }
    }
    return items;
}

std::string RunningFrame::TreeLabel(HTREEITEM item) const {
    char text[260] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(Tree().Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

HTREEITEM RunningFrame::SelectedNode() const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Tree().Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void RunningFrame::SelectNode(HTREEITEM item) {
    SendMessageA(Tree().Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    Pump();
}

int RunningFrame::RowCount() const {
    return static_cast<int>(SendMessageA(List().Handle(), LVM_GETITEMCOUNT, 0, 0));
}

std::string RunningFrame::Cell(int row, int column) const {
    char text[kTextBytes] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List().Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::string> RunningFrame::Names() const {
    std::vector<std::string> names;
    for (int row = 0; row < RowCount(); ++row)
        names.push_back(Cell(row, 0));
    return names;
}

int RunningFrame::RowOf(const std::string& name) const {
    for (int row = 0; row < RowCount(); ++row) {
        if (Cell(row, 0) == name)
            return row;
    }
    return -1;
}

void RunningFrame::SelectRow(int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(List().Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    Pump();
}

RECT RunningFrame::RectInFrame(HWND hwnd) const {
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, FrameWindow(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int Width(const RECT& rect) {
    return rect.right - rect.left;
}
int Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

void AddSampleServices(FakeSystem& system) {
    auto key = [](const char* name) { return FakeSystem::ServiceKey(name); };
    system.AddService(kServiceTypeWin32, "Alpha", "C:\\Programs\\alpha.exe", 2, kStateRunning);
    system.SetString(key("Alpha"), "Description", "Alpha does things");
    system.SetString(key("Alpha"), "Group", "AlphaGroup");
    system.AddService(kServiceTypeWin32, "Beta", "C:\\Programs\\beta.exe", 3, kStateStopped);
    system.AddService(kServiceTypeWin32, "Gamma", "C:\\Programs\\gamma.exe", 4, kStatePaused);
    system.SetString(key("Gamma"), "Description", "伽马服务");
    system.AddService(kServiceTypeWin32, "Delta", "C:\\Programs\\delta.exe", 3, kStateStopPending);
    system.AddService(kServiceTypeWin32, "Epsilon", "C:\\Programs\\eps.exe", 7, 8);
    system.AddService(kServiceTypeWin32, "LocalSvc",
                      "C:\\WINDOWS\\system32\\svchost.exe -k LocalService", 3, kStateRunning);
    system.SetString(FakeSystem::ParametersKey("LocalSvc"), "ServiceDll", "C:\\dll\\local.dll");
    system.AddService(kServiceTypeWin32, "NetSvc", "C:\\WINDOWS\\system32\\svchost.exe -k netsvcs",
                      2, kStateRunning);
    system.SetString(FakeSystem::ParametersKey("NetSvc"), "ServiceDll", "C:\\dll\\net.dll");
    system.AddService(kServiceTypeDriver, "DrvBoot", "C:\\drivers\\boot.sys", 0, kStateRunning);
    FakeService& fs = system.AddService(kServiceTypeDriver, "DrvFs", "C:\\drivers\\fs.sys", 3);
    fs.entry.status.dwServiceType = 2;
    system.AddService(kServiceTypeDriver, "DrvAuto", "C:\\drivers\\auto.sys", 2, kStateRunning);
}

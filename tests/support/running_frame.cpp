#include "tests/support/running_frame.h"

#include <atomic>
#include <thread>

#include "tests/support/live_system.h"
#include "platform/win32/wide_text.h"
#include "window/list_view.h"

void Pump() {
    theApp.PumpPending();
}

std::string ProgramBesideTest(const char* fileName) {
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path(exe);
    return "\"" + path.substr(0, path.find_last_of('\\') + 1) + fileName + "\"";
}

int RunWhilePumping(const std::string& commandLine, std::string& output) {
    int code = -1;
    std::atomic<bool> done{false};
    std::thread process([&] {
        code = RunCommand(commandLine, output);
        done = true;
    });
    while (!done) {
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    process.join();
    return code;
}

RunningFrame::RunningFrame(ServiceManagerApi& services, ServiceRegistryApi& registry,
                           GroupRegistryApi& groupRegistry) {
    theApp.SetPlatform(services, registry, groupRegistry);
    started_ = theApp.InitInstance();
    Pump();
}

RunningFrame::~RunningFrame() {
    theApp.ExitInstance();
    Pump();
}

void RunningFrame::Command(UINT id) {
    SendMessageW(FrameWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Pump();
}

std::vector<HTREEITEM> RunningFrame::TreeItems() const {
    std::vector<HTREEITEM> items;
    HWND tree = Tree().Handle();
    auto next = [tree](HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
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
    wchar_t text[260] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 260;
    SendMessageW(Tree().Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return NarrowText(text);
}

HTREEITEM RunningFrame::SelectedNode() const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Tree().Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void RunningFrame::SelectNode(HTREEITEM item) {
    SendMessageW(Tree().Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    Pump();
}

int RunningFrame::RowCount() const {
    return static_cast<int>(SendMessageW(List().Handle(), LVM_GETITEMCOUNT, 0, 0));
}

std::string RunningFrame::Cell(int row, int column) const {
    return ListCellText(List().Handle(), row, column);
}

void RunningFrame::SetCell(int row, int column, const std::string& text) {
    std::wstring wide = WideText(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &wide[0];
    SendMessageW(List().Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
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
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List().Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    Pump();
}

int RunningFrame::SelectService(const std::string& name) {
    int row = RowOf(name);
    if (row >= 0)
        SelectRow(row);
    return row;
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

// The category tree, the service list and the routing between them through the main frame: every
// node's category, the rows each shows and their cells, the selected service in the status bar
// and the detail pane, refresh.
#include <gtest/gtest.h>

#include "category/category_filter.h"
#include "res/resource.h"
#include "tests/support/sample_frame_test.h"
#include "window/list_view.h"
#include "window/message_box.h"

namespace {

using Names = std::vector<std::string>;

constexpr LONG kTreeStyles =
    TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
// The view type and the two selection styles of the service list.
constexpr LONG kListStyleMask = LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr LONG kListStyles = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
constexpr LRESULT kListExStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

// The tree as the user sees it, written out here rather than taken from the program's table: each
// node in display order with its label, image (0 group, 1 leaf, 2 Win32 root, 3 driver root) and
// the category it routes.
struct ExpectedNode {
    const char* label;
    int image;
    CategoryFilter filter;
};
const ExpectedNode kTree[] = {
    {"All Win32 Services", 2, {kKindWin32, -1, -1}},
    {"Status", 0, {kKindWin32, 0, -1}},
    {"Start", 1, {kKindWin32, 0, 0}},
    {"Stop", 1, {kKindWin32, 0, 1}},
    {"Pause", 1, {kKindWin32, 0, 2}},
    {"Start Type", 0, {kKindWin32, 1, -1}},
    {"Auto Start", 1, {kKindWin32, 1, 2}},
    {"Demand Start", 1, {kKindWin32, 1, 3}},
    {"Disabled Start", 1, {kKindWin32, 1, 4}},
    {"Svchost Group", 0, {kKindWin32, 2, -1}},
    {"LocalService", 1, {kKindWin32, 2, 1}},
    {"netsvcs", 1, {kKindWin32, 2, 2}},
    {"All Drivers Services", 3, {kKindDriver, -1, -1}},
    {"Kernel Drivers", 0, {kKindDriver, 1, -1}},
    {"Boot Start", 1, {kKindDriver, 1, 0}},
    {"System Start", 1, {kKindDriver, 1, 1}},
    {"Auto Start", 1, {kKindDriver, 1, 2}},
    {"Demand Start", 1, {kKindDriver, 1, 3}},
    {"Disabled Start", 1, {kKindDriver, 1, 4}},
    {"File System Driver", 0, {kKindDriver, 2, -1}},
};
constexpr size_t kNodes = sizeof kTree / sizeof kTree[0];

class Routing : public SampleFrameTest {
protected:
    void SetUp() override {
        SampleFrameTest::SetUp();
        items_ = frame_->TreeItems();
        ASSERT_EQ(kNodes, items_.size());
    }

    // The node with that label under the roots of that kind.
    HTREEITEM Node(const char* label, int32_t kind = kKindWin32) const {
        for (size_t i = 0; i < kNodes; ++i) {
            if (std::string(kTree[i].label) == label && kTree[i].filter.kind == kind)
                return items_[i];
        }
        ADD_FAILURE() << "no node " << label;
        return nullptr;
    }
    bool ButtonEnabled(UINT id) const {
        return SendMessageA(frame_->Frame().ToolBar(), TB_ISBUTTONENABLED, id, 0) != 0;
    }

    std::vector<HTREEITEM> items_;
};

const Names kAllWin32 = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "LocalSvc", "NetSvc"};

TEST_F(Routing, TreeShowsTheTwentyCategoriesInTableOrderFullyExpanded) {
    for (size_t i = 0; i < kNodes; ++i) {
        EXPECT_EQ(kTree[i].label, frame_->TreeLabel(items_[i]));
        TVITEMA item = {};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
        item.stateMask = TVIS_EXPANDED;
        item.hItem = items_[i];
        SendMessageA(frame_->Tree().Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(kTree[i].image, item.iImage) << kTree[i].label;
        EXPECT_EQ(kTree[i].image, item.iSelectedImage);
        if (item.cChildren)
            EXPECT_TRUE(item.state & TVIS_EXPANDED) << kTree[i].label;
    }
    LONG style = GetWindowLongA(frame_->Tree().Handle(), GWL_STYLE);
    EXPECT_EQ(kTreeStyles, style & kTreeStyles);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
        SendMessageA(frame_->Tree().Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(4, ImageList_GetImageCount(images));
}

TEST_F(Routing, StartUpListsEveryWin32ServiceInCatalogueOrder) {
    EXPECT_EQ(kAllWin32, frame_->Names());
    EXPECT_TRUE(ButtonEnabled(ID_SERVICE_START));
    EXPECT_TRUE(ButtonEnabled(ID_SERVICE_STOP));
}

TEST_F(Routing, EveryNodeRoutesItsOwnTripleAndStartStopFollowTheKind) {
    for (size_t i = 0; i < kNodes; ++i) {
        const size_t node = (i + 1) % kNodes;  // the first is selected already
        const ExpectedNode& row = kTree[node];
        frame_->SelectNode(items_[node]);
        EXPECT_EQ(row.filter, frame_->Frame().CurrentFilter()) << row.label;
        EXPECT_EQ(row.filter.kind == kKindWin32, ButtonEnabled(ID_SERVICE_START)) << row.label;
        EXPECT_EQ(row.filter.kind == kKindWin32, ButtonEnabled(ID_SERVICE_STOP)) << row.label;
        EXPECT_TRUE(ButtonEnabled(ID_REFRESH));
        EXPECT_TRUE(ButtonEnabled(ID_SERVICE_PROPERTY));
    }
}

TEST_F(Routing, EachCategoryListsItsServices) {
    struct Case {
        const char* node;
        int32_t kind;
        Names names;
    } cases[] = {
        {"Start", kKindWin32, {"Alpha", "Epsilon", "LocalSvc", "NetSvc"}},  // state 8 is started
        {"Stop", kKindWin32, {"Beta", "Delta"}},                            // stop-pending included
        {"Pause", kKindWin32, {"Gamma"}},
        {"Auto Start", kKindWin32, {"Alpha", "NetSvc"}},
        {"Disabled Start", kKindWin32, {"Gamma"}},
        {"Svchost Group", kKindWin32, kAllWin32},
        {"LocalService", kKindWin32, {"LocalSvc"}},
        {"netsvcs", kKindWin32, {"NetSvc"}},
        {"All Drivers Services", kKindDriver, {"DrvBoot", "DrvFs", "DrvAuto"}},
        {"Boot Start", kKindDriver, {"DrvBoot"}},
        {"Auto Start", kKindDriver, {"DrvAuto"}},  // the drivers' Auto Start, not the Win32 one
        {"File System Driver", kKindDriver, {"DrvFs"}},
        {"All Win32 Services", kKindWin32, kAllWin32},
    };
    for (const Case& c : cases) {
        frame_->SelectNode(Node(c.node, c.kind));
        EXPECT_EQ(c.names, frame_->Names()) << c.node;
    }
}

TEST_F(Routing, CellsShowStatusStartTypeDescriptionFileAndGroup) {
    const SERVICE_ITEM* alpha = frame_->List().ServiceList().Find("Alpha");
    ASSERT_NE(nullptr, alpha);
    int row = frame_->RowOf("Alpha");
    EXPECT_EQ("已启动", frame_->Cell(row, 1));
    EXPECT_EQ("自动", frame_->Cell(row, 2));
    EXPECT_EQ("Alpha does things", frame_->Cell(row, 3));
    EXPECT_EQ(alpha->ImagePath, frame_->Cell(row, 4));
    EXPECT_EQ("AlphaGroup", frame_->Cell(row, 5));
    row = frame_->RowOf("Beta");
    EXPECT_EQ("", frame_->Cell(row, 1));
    EXPECT_EQ("手动", frame_->Cell(row, 2));
    EXPECT_EQ("Beta display", frame_->Cell(row, 3));  // no description: the display name
    EXPECT_EQ("", frame_->Cell(row, 5));
    EXPECT_EQ("暂停", frame_->Cell(frame_->RowOf("Gamma"), 1));
    EXPECT_EQ("已禁用", frame_->Cell(frame_->RowOf("Gamma"), 2));
    EXPECT_EQ("伽马服务", frame_->Cell(frame_->RowOf("Gamma"), 3));
    EXPECT_EQ("", frame_->Cell(frame_->RowOf("Delta"), 1));
    EXPECT_EQ("已启动", frame_->Cell(frame_->RowOf("Epsilon"), 1));
    EXPECT_EQ("", frame_->Cell(frame_->RowOf("Epsilon"), 2));  // Start 7
    frame_->SelectNode(Node("All Drivers Services", kKindDriver));
    EXPECT_EQ("引导加载", frame_->Cell(frame_->RowOf("DrvBoot"), 2));
}

TEST_F(Routing, ACellIsReadWholeWhateverItsLength) {
    std::string text;
    while (text.size() < 200 * 1024)
        text += "长文本 long text ";  // beyond 64 KB, with characters of three bytes
    frame_->SetCell(0, 3, text);
    const std::string read = ListCellText(frame_->ListControl(), 0, 3);
    EXPECT_EQ(text.size(), read.size());
    EXPECT_TRUE(text == read);  // (not printed: 200 KB)
}

TEST_F(Routing, SvchostCategoriesShowTheServiceDllInTheFileColumn) {
    frame_->SelectNode(Node("Svchost Group"));
    EXPECT_EQ("C:\\dll\\net.dll", frame_->Cell(frame_->RowOf("NetSvc"), 4));
    EXPECT_EQ("", frame_->Cell(frame_->RowOf("Alpha"), 4));
    frame_->SelectNode(Node("LocalService"));
    EXPECT_EQ("C:\\dll\\local.dll", frame_->Cell(0, 4));
    frame_->SelectNode(Node("Auto Start"));
    EXPECT_NE("C:\\dll\\net.dll", frame_->Cell(frame_->RowOf("NetSvc"), 4));
}

TEST_F(Routing, ListViewStylesColumnsAndIcon) {
    HWND list = frame_->List().Handle();
    LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(kListStyles, style & kListStyleMask);
    EXPECT_FALSE(style & WS_BORDER);
    EXPECT_EQ(kListExStyles, SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    struct Column {
        const char* heading;
        int width;
        int format;
    } columns[] = {{"服务名称", 120, LVCFMT_LEFT},  {"状态", 70, LVCFMT_CENTER},
                   {"启动类型", 70, LVCFMT_CENTER}, {"描述", 200, LVCFMT_LEFT},
                   {"文件", 200, LVCFMT_LEFT},      {"启动组", 80, LVCFMT_LEFT}};
    for (int i = 0; i < 6; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(columns[i].heading, text);
        EXPECT_EQ(frame_->Scaled(columns[i].width), column.cx);
        EXPECT_EQ(columns[i].format, column.fmt & LVCFMT_JUSTIFYMASK);
    }
    HIMAGELIST images =
        reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    EXPECT_EQ(1, ImageList_GetImageCount(images));
}

TEST_F(Routing, SelectingARowShowsItsServiceInTheStatusBarAndTheDetailPane) {
    frame_->SelectRow(frame_->RowOf("Gamma"));
    EXPECT_EQ("伽马服务", frame_->StatusText());
    ASSERT_NE(nullptr, frame_->Detail().Service());
    EXPECT_EQ("Gamma", frame_->Detail().Service()->lpServiceName);
    // Moving the selection: the row that loses it routes too, then the new one, which stays.
    frame_->SelectRow(frame_->RowOf("Beta"));
    EXPECT_EQ("Beta display", frame_->StatusText());
    EXPECT_EQ("Beta", frame_->Detail().Service()->lpServiceName);
}

TEST_F(Routing, TheSameCategoryAgainChangesNothing) {
    frame_->SelectRow(frame_->RowOf("Alpha"));
    frame_->Frame().SetCategory(kKindWin32, -1, -1);
    EXPECT_EQ("Alpha does things", frame_->StatusText());
    ASSERT_NE(nullptr, frame_->Detail().Service());
    EXPECT_EQ(0, static_cast<int>(SendMessageA(frame_->List().Handle(), LVM_GETNEXTITEM,
                                               static_cast<WPARAM>(-1), LVNI_SELECTED)));
    // Reselecting the selected node raises no change either.
    frame_->SelectNode(items_[0]);
    EXPECT_EQ("Alpha does things", frame_->StatusText());
}

TEST_F(Routing, ACategoryChangeClearsStatusAndDetailAndRefills) {
    frame_->SelectRow(frame_->RowOf("Alpha"));
    frame_->Frame().SetCategory(kKindWin32, 2, -1);  // same rows, other file column
    EXPECT_EQ("", frame_->StatusText());
    EXPECT_EQ(nullptr, frame_->Detail().Service());
    EXPECT_EQ(kAllWin32, frame_->Names());
    EXPECT_EQ(-1, static_cast<int>(SendMessageA(frame_->List().Handle(), LVM_GETNEXTITEM,
                                                static_cast<WPARAM>(-1), LVNI_SELECTED)));
}

TEST_F(Routing, RefreshReloadsTheCatalogueForTheSameCategory) {
    frame_->SelectNode(Node("Stop"));
    frame_->SelectRow(frame_->RowOf("Beta"));
    system_.AddService(kServiceTypeWin32, "Zeta", "C:\\z.exe", 3, kStateStopped);
    system_.Service("Beta")->entry.status.dwCurrentState = kStateRunning;
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_REFRESH, 0);
    Pump();
    EXPECT_EQ((Names{"Delta", "Zeta"}), frame_->Names());
    EXPECT_EQ("", frame_->StatusText());
    EXPECT_EQ(nullptr, frame_->Detail().Service());
    EXPECT_EQ((CategoryFilter{kKindWin32, 0, 1}), frame_->Frame().CurrentFilter());
    EXPECT_EQ(Node("Stop"), frame_->SelectedNode());
}

TEST_F(Routing, NoServiceLeavesTheStatusPaneEmptyNotIdle) {
    frame_->SelectRow(frame_->RowOf("Alpha"));
    frame_->Frame().ShowServiceDetail(nullptr);
    EXPECT_EQ("", frame_->StatusText());
    EXPECT_EQ(nullptr, frame_->Detail().Service());
}

TEST_F(Routing, NotificationsForNoRowRouteNothing) {
    NMLISTVIEW change = {};
    change.hdr.hwndFrom = frame_->List().Handle();
    change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(change.hdr.hwndFrom));
    change.hdr.code = LVN_ITEMCHANGED;
    change.iItem = -1;
    SendMessageA(GetParent(change.hdr.hwndFrom), WM_NOTIFY, change.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ("就绪", frame_->StatusText());
    change.iItem = frame_->RowOf("Alpha");
    SendMessageA(GetParent(change.hdr.hwndFrom), WM_NOTIFY, change.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ("Alpha does things", frame_->StatusText());
}

TEST_F(Routing, StartWithoutASelectedRowReachesTheListThroughThePanes) {
    std::vector<std::string> texts;
    ScopedMessageBoxAnswerer answer([&texts](const std::string& text, UINT) {
        texts.push_back(text);
        return IDOK;
    });
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_SERVICE_START, 0);
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_SERVICE_STOP, 0);
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_SERVICE_PROPERTY, 0);
    EXPECT_EQ((Names{"请选择需要操作的服务!", "请选择需要操作的服务!", "请选择需要操作的服务!"}),
              texts);
}

}  // namespace

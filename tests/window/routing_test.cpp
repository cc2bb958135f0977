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

class Routing : public SampleFrameTest {
protected:
    void SetUp() override {
        SampleFrameTest::SetUp();
        items_ = frame_->TreeItems();
        ASSERT_EQ(kCategoryCount, items_.size());
    }

    // The node of the category table's row with that slot.
    HTREEITEM Node(int slot) const {
        for (size_t i = 0; i < kCategoryCount; ++i) {
            if (kCategoryTable[i].slot == slot)
                return items_[i];
        }
        return nullptr;
    }
    bool ButtonEnabled(UINT id) const {
        return SendMessageA(frame_->Frame().ToolBar(), TB_ISBUTTONENABLED, id, 0) != 0;
    }

    std::vector<HTREEITEM> items_;
};

const Names kAllWin32 = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "LocalSvc", "NetSvc"};

TEST_F(Routing, TreeShowsTheTwentyCategoriesInTableOrderFullyExpanded) {
    for (size_t i = 0; i < kCategoryCount; ++i) {
        EXPECT_EQ(kCategoryTable[i].label, frame_->TreeLabel(items_[i]));
        TVITEMA item = {};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_CHILDREN;
        item.stateMask = TVIS_EXPANDED;
        item.hItem = items_[i];
        SendMessageA(frame_->Tree().Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(kCategoryTable[i].image, item.iImage) << kCategoryTable[i].label;
        EXPECT_EQ(kCategoryTable[i].image, item.iSelectedImage);
        if (item.cChildren)
            EXPECT_TRUE(item.state & TVIS_EXPANDED) << kCategoryTable[i].label;
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
    for (size_t i = 0; i < kCategoryCount; ++i) {
        const CategoryRow& row = kCategoryTable[(i + 1) % kCategoryCount];  // the first is selected
        frame_->SelectNode(Node(row.slot));
        EXPECT_EQ(row.filter, frame_->Frame().CurrentFilter()) << row.label;
        EXPECT_EQ(row.filter.kind == kKindWin32, ButtonEnabled(ID_SERVICE_START)) << row.label;
        EXPECT_EQ(row.filter.kind == kKindWin32, ButtonEnabled(ID_SERVICE_STOP)) << row.label;
        EXPECT_TRUE(ButtonEnabled(ID_REFRESH));
        EXPECT_TRUE(ButtonEnabled(ID_SERVICE_PROPERTY));
    }
}

TEST_F(Routing, EachCategoryListsItsServices) {
    struct Case {
        int slot;
        Names names;
    } cases[] = {
        {2, {"Alpha", "Epsilon", "LocalSvc", "NetSvc"}},  // Start: state 8 counts as started
        {3, {"Beta", "Delta"}},                           // Stop: stop-pending included
        {4, {"Gamma"}},
        {7, {"Alpha", "NetSvc"}},
        {9, {"Gamma"}},
        {18, kAllWin32},
        {19, {"LocalSvc"}},
        {20, {"NetSvc"}},
        {10, {"DrvBoot", "DrvFs", "DrvAuto"}},
        {12, {"DrvBoot"}},
        {14, {"DrvAuto"}},  // the drivers' Auto Start, not the Win32 one
        {17, {"DrvFs"}},
        {0, kAllWin32},
    };
    for (const Case& c : cases) {
        frame_->SelectNode(Node(c.slot));
        EXPECT_EQ(c.names, frame_->Names()) << "slot " << c.slot;
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
    frame_->SelectNode(Node(10));
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
    frame_->SelectNode(Node(18));
    EXPECT_EQ("C:\\dll\\net.dll", frame_->Cell(frame_->RowOf("NetSvc"), 4));
    EXPECT_EQ("", frame_->Cell(frame_->RowOf("Alpha"), 4));
    frame_->SelectNode(Node(19));
    EXPECT_EQ("C:\\dll\\local.dll", frame_->Cell(0, 4));
    frame_->SelectNode(Node(7));
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
    frame_->SelectNode(Node(3));
    frame_->SelectRow(frame_->RowOf("Beta"));
    system_.AddService(kServiceTypeWin32, "Zeta", "C:\\z.exe", 3, kStateStopped);
    system_.Service("Beta")->entry.status.dwCurrentState = kStateRunning;
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_REFRESH, 0);
    Pump();
    EXPECT_EQ((Names{"Delta", "Zeta"}), frame_->Names());
    EXPECT_EQ("", frame_->StatusText());
    EXPECT_EQ(nullptr, frame_->Detail().Service());
    EXPECT_EQ((CategoryFilter{kKindWin32, 0, 1}), frame_->Frame().CurrentFilter());
    EXPECT_EQ(Node(3), frame_->SelectedNode());
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

// Start-up order and window layout of the main frame: caption, panes and their sizes when the
// frame is resized and when the user drags a splitter bar, pane borders.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/sample_frame_test.h"

namespace {

class FrameLayout : public SampleFrameTest {
protected:
    HWND DetailPane() const { return frame_->Detail().Handle(); }
    HWND ListPane() const { return frame_->List().Handle(); }
    HWND TreePane() const { return frame_->Tree().Handle(); }

    void ResizeFrame(int width, int height) {
        SetWindowPos(frame_->FrameWindow(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }

    // Drags a splitter bar from one client point of the splitter to another.
    void DragBar(StaticSplitter& splitter, POINT from, POINT to) {
        HWND hwnd = splitter.Handle();
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        Pump();
    }

    // Sizes at the frame's display scale (this suite runs at 96 and at 144 DPI).
    int TreeWidth() const { return frame_->Scaled(CMainFrame::kTreeWidth); }
    int DetailRowHeight() const { return frame_->Scaled(CDataView::kDetailHeight); }
    int Border() const { return frame_->Data().Splitter().Border(); }
    // The detail pane's height inside its row: less the bar and the two borders.
    int DetailPaneHeight() const {
        return DetailRowHeight() - frame_->Data().Splitter().Gap() - 2 * Border();
    }
};

TEST_F(FrameLayout, StartsWithTheTitleTheFirstRootAndTheTreeFocused) {
    char caption[256] = {};
    GetWindowTextA(frame_->FrameWindow(), caption, sizeof caption);
    EXPECT_STREQ("OrvaneWindows服务管理专家", caption);
    EXPECT_TRUE(IsWindowVisible(frame_->FrameWindow()));
    EXPECT_EQ(TreePane(), GetFocus());
    EXPECT_EQ(frame_->TreeItems().front(), frame_->SelectedNode());
    EXPECT_EQ("就绪", frame_->StatusText());
    EXPECT_EQ(nullptr, frame_->Detail().Service());
    CategoryFilter start = frame_->Frame().CurrentFilter();
    EXPECT_EQ((CategoryFilter{kKindWin32, -1, -1}), start);
    EXPECT_EQ(theApp.MainWindowHandle(), frame_->FrameWindow());
}

TEST_F(FrameLayout, PanesSitAtTheirSplitterPositions) {
    CMainFrame& frame = frame_->Frame();
    EXPECT_EQ(frame.FindClassView(), frame.MainSplitter().GetPane(0, 0));
    EXPECT_EQ(frame.FindDataView(), frame.MainSplitter().GetPane(0, 1));
    CDataView& data = frame_->Data();
    EXPECT_EQ(&frame_->List(), data.Splitter().GetPane(0, 0));
    EXPECT_EQ(&frame_->Detail(), data.Splitter().GetPane(1, 0));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, GetDlgCtrlID(frame.MainSplitter().Handle()));
    EXPECT_EQ(AFX_IDW_PANE_FIRST, GetDlgCtrlID(data.Splitter().Handle()));
    char name[64] = {};
    GetClassNameA(TreePane(), name, sizeof name);
    EXPECT_STREQ("SysTreeView32", name);
    GetClassNameA(ListPane(), name, sizeof name);
    EXPECT_STREQ("SysListView32", name);
}

TEST_F(FrameLayout, TreeKeepsItsWidthAndDetailItsHeightWhenTheFrameIsResized) {
    const SIZE sizes[] = {{900, 700}, {640, 480}, {1100, 800}, {700, 520}};
    for (SIZE size : sizes) {
        ResizeFrame(size.cx, size.cy);
        RECT tree = frame_->RectInFrame(TreePane());
        RECT detail = frame_->RectInFrame(DetailPane());
        RECT list = frame_->RectInFrame(ListPane());
        RECT data = frame_->RectInFrame(frame_->Data().Handle());
        EXPECT_EQ(TreeWidth(), Width(tree)) << size.cx;
        EXPECT_EQ(DetailPaneHeight(), Height(detail)) << size.cy;
        EXPECT_EQ(data.bottom - Border(), detail.bottom);
        // The list takes all the rest of the right-hand pane.
        EXPECT_EQ(data.bottom - DetailRowHeight() + Border(), list.bottom);
        EXPECT_EQ(Width(list), Width(detail));
    }
}

TEST_F(FrameLayout, DetailReturnsToItsHeightAfterADragOnTheNextResizeOrTreeBarDrag) {
    CSplitterWndEx& rows = frame_->Data().Splitter();
    auto dragDetailBarUp = [&] {
        RECT list = {};
        GetWindowRect(ListPane(), &list);
        MapWindowPoints(nullptr, rows.Handle(), reinterpret_cast<POINT*>(&list), 2);
        int barY = list.bottom + 3;
        DragBar(rows, POINT{50, barY}, POINT{50, barY - 40});
    };
    dragDetailBarUp();
    EXPECT_EQ(DetailPaneHeight() + 40, Height(frame_->RectInFrame(DetailPane())));

    RECT frameRect = {};
    GetWindowRect(frame_->FrameWindow(), &frameRect);
    ResizeFrame(Width(frameRect) + 30, Height(frameRect) + 20);
    EXPECT_EQ(DetailPaneHeight(), Height(frame_->RectInFrame(DetailPane())));

    dragDetailBarUp();
    EXPECT_EQ(DetailPaneHeight() + 40, Height(frame_->RectInFrame(DetailPane())));
    CSplitterWndEx& columns = frame_->Frame().MainSplitter();
    int barX = Border() + TreeWidth() + 3;
    DragBar(columns, POINT{barX, 100}, POINT{barX + 25, 100});
    EXPECT_EQ(TreeWidth() + 25, Width(frame_->RectInFrame(TreePane())));
    EXPECT_EQ(DetailPaneHeight(), Height(frame_->RectInFrame(DetailPane())));

    // The tree keeps the width the user gave it through the next resize.
    ResizeFrame(Width(frameRect), Height(frameRect));
    EXPECT_EQ(TreeWidth() + 25, Width(frame_->RectInFrame(TreePane())));
}

TEST_F(FrameLayout, PanesAreFramedByAFlatBlueGreyLineWithAWhiteLineInside) {
    HWND splitter = frame_->Frame().MainSplitter().Handle();
    RedrawWindow(frame_->FrameWindow(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT tree = {};
    GetWindowRect(TreePane(), &tree);
    MapWindowPoints(nullptr, splitter, reinterpret_cast<POINT*>(&tree), 2);
    HDC dc = GetDC(splitter);
    int midY = (tree.top + tree.bottom) / 2;
    int midX = (tree.left + tree.right) / 2;
    // One pixel each at 96 DPI; at 144 the border is 3 pixels, the outer line 2 of them.
    const int border = Border();
    EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, tree.left - border, midY));
    EXPECT_EQ(CSplitterWndEx::kInnerBorder, GetPixel(dc, tree.left - 1, midY));
    EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, tree.right + border - 1, midY));
    EXPECT_EQ(CSplitterWndEx::kInnerBorder, GetPixel(dc, tree.right, midY));
    EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, midX, tree.top - border));
    EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, midX, tree.bottom + border - 1));
    if (border == 3) {
        EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, tree.left - 2, midY));
        EXPECT_EQ(CSplitterWndEx::kOuterBorder, GetPixel(dc, midX, tree.bottom + 1));
    }
    ReleaseDC(splitter, dc);
}

TEST_F(FrameLayout, ExitClosesTheMainWindowWithoutAPrompt) {
    HWND hwnd = frame_->FrameWindow();
    SendMessageA(hwnd, WM_COMMAND, ID_APP_EXIT, 0);
    Pump();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(nullptr, theApp.MainWindowHandle());
}

}  // namespace

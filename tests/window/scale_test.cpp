// The main window at the display scale of its prefix (this suite runs at 96 and at 144 DPI) and
// after a move to a monitor of another scale (WM_DPICHANGED, sent as the system sends it): every
// pixel size is scaled, no tree label and no column heading is cut, the detail pane's lines stay
// apart, and back at the first scale everything is exactly as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/memory_canvas.h"
#include "tests/support/sample_frame_test.h"
#include "views/detail_paint.h"
#include "window/dpi.h"
#include "window/paint_guards.h"

namespace {

constexpr int kColumnWidths[] = {120, 70, 70, 200, 200, 80};

class FrameScale : public SampleFrameTest {
protected:
    HWND Tree() const { return frame_->Tree().Handle(); }
    HWND List() const { return frame_->List().Handle(); }
    int Dpi() const { return frame_->Frame().Dpi(); }

    // The detail row at the bottom of the right-hand pane, its splitter bar included.
    int DetailRowHeight() const {
        RECT data = frame_->RectInFrame(frame_->Data().Handle());
        RECT list = frame_->RectInFrame(List());
        return data.bottom - (list.bottom - frame_->Data().Splitter().Border());
    }
    static int ImageSize(HIMAGELIST images) {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(images, &cx, &cy);
        EXPECT_EQ(cx, cy);
        return cx;
    }
    std::vector<int> ColumnWidths() const {
        std::vector<int> widths;
        for (int column = 0; column < 6; ++column)
            widths.push_back(static_cast<int>(SendMessageA(List(), LVM_GETCOLUMNWIDTH, column, 0)));
        return widths;
    }
    void ChangeDpi(int dpi, const RECT& suggested) {
        SendMessageA(frame_->FrameWindow(), kWmDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();
    }

    void ExpectSizesAt(int dpi) {
        EXPECT_EQ(Dpi(), dpi);
        EXPECT_EQ(Width(frame_->RectInFrame(Tree())), ScaleToDpi(CMainFrame::kTreeWidth, dpi));
        EXPECT_EQ(DetailRowHeight(), ScaleToDpi(CDataView::kDetailHeight, dpi));
        std::vector<int> widths;
        for (int width : kColumnWidths)
            widths.push_back(ScaleToDpi(width, dpi));
        EXPECT_EQ(ColumnWidths(), widths);
        const auto toolImages = reinterpret_cast<HIMAGELIST>(
            SendMessageA(frame_->Frame().ToolBar(), TB_GETIMAGELIST, 0, 0));
        EXPECT_EQ(ImageSize(toolImages), ScaleToDpi(24, dpi));
        EXPECT_EQ(ImageSize(TreeView_GetImageList(Tree(), TVSIL_NORMAL)), ScaleToDpi(16, dpi));
        EXPECT_EQ(ImageSize(ListView_GetImageList(List(), LVSIL_SMALL)), ScaleToDpi(16, dpi));
    }

    // Every label ends inside the tree, which needs no horizontal scroll bar; every heading's text
    // fits its column with the margins the header keeps on both sides.
    void ExpectNothingCut() {
        RECT client = {};
        GetClientRect(Tree(), &client);
        for (HTREEITEM item : frame_->TreeItems()) {
            RECT label = {};
            memcpy(&label, &item, sizeof item);  // the message takes the item in the rectangle
            ASSERT_TRUE(
                SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
            EXPECT_LE(label.right, client.right) << frame_->TreeLabel(item);
        }
        EXPECT_FALSE(GetWindowLongA(Tree(), GWL_STYLE) & WS_HSCROLL);

        HWND header = ListView_GetHeader(List());
        HDC dc = GetDC(header);
        SelectedObject font(dc, reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)));
        const int margin = 3 * GetSystemMetrics(SM_CXEDGE);
        for (int column = 0; column < 6; ++column) {
            wchar_t text[64] = L"";
            HDITEMW item = {};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
            SIZE extent = {};
            GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
            EXPECT_LE(extent.cx + 2 * margin, ColumnWidths()[column]) << column;
        }
        ReleaseDC(header, dc);
    }

    // A record with all five lines (its DLL is this test program, which has a version record):
    // each line's band of one text height has ink, the rows between two bands have none, and the
    // last band ends inside the pane.
    void ExpectDetailLinesApart() {
        char self[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        SERVICE_ITEM item;
        item.lpServiceName = "Scaled";
        CopyText(item.ImagePath, sizeof item.ImagePath, "C:\\windows\\system32\\svchost.exe -k x");
        CopyText(item.ServiceDll, sizeof item.ServiceDll, self);
        CDetailView& detail = frame_->Detail();
        detail.SetService(&item);
        RECT client = {};
        GetClientRect(detail.Handle(), &client);
        MemoryCanvas canvas(client.right, client.bottom, RGB(255, 0, 255));
        HDC dc = GetDC(detail.Handle());
        BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        UniqueFont textFont(CreateDetailTextFont(detail.Dpi()));
        TEXTMETRICW metrics = {};
        {
            SelectedObject font(dc, textFont.Get());
            GetTextMetricsW(dc, &metrics);
        }
        ReleaseDC(detail.Handle(), dc);

        DetailLines lines;
        LayoutDetailLines(item, detail.Facts(), lines);
        ASSERT_EQ(lines.count, 5);
        int above = 0;
        for (int i = 0; i < lines.count; ++i) {
            const POINT origin = DetailLineOrigin(lines.line[i], detail.Dpi());
            const int left = origin.x;
            EXPECT_LE(above, origin.y) << i;
            if (i > 0) {
                EXPECT_TRUE(canvas.AllOf({left, above, client.right, origin.y}, kDetailBackground));
            }
            EXPECT_GT(canvas.CountOther({left, origin.y, client.right, origin.y + metrics.tmHeight},
                                        kDetailBackground),
                      20)
                << i;
            above = origin.y + metrics.tmHeight;
        }
        EXPECT_LE(above, client.bottom);
        detail.SetService(nullptr);
    }
};

TEST_F(FrameScale, PixelSizesFollowTheDisplayScale) {
    EXPECT_EQ(Dpi(), WindowDpi(frame_->FrameWindow()));
    ExpectSizesAt(Dpi());
    if (Dpi() == 144) {
        EXPECT_EQ(Width(frame_->RectInFrame(Tree())), 270);
        EXPECT_EQ(DetailRowHeight(), 180);
    }
}

TEST_F(FrameScale, NoTreeLabelOrColumnHeadingIsCutAndTheDetailLinesStayApart) {
    ExpectNothingCut();
    ExpectDetailLinesApart();
}

TEST_F(FrameScale, AMoveToAnotherScaleRescalesEverythingAndBackRestoresIt) {
    const int first = Dpi();
    const int second = first + 48;  // 96 -> 144, 144 -> 192
    // Small enough that the larger window stays on the virtual desktop, where its pixels are read.
    SetWindowPos(frame_->FrameWindow(), nullptr, 0, 0, RescaleDpi(640, 144, first),
                 RescaleDpi(480, 144, first), SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    // The user's own tree width goes along.
    CSplitterWndEx& columns = frame_->Frame().MainSplitter();
    const int barX = columns.Border() + ScaleToDpi(CMainFrame::kTreeWidth, first) + 2;
    SendMessageA(columns.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(barX, 100));
    SendMessageA(columns.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(barX + 20, 100));
    SendMessageA(columns.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(barX + 20, 100));
    Pump();
    const int treeWidth = Width(frame_->RectInFrame(Tree()));
    ASSERT_EQ(treeWidth, ScaleToDpi(CMainFrame::kTreeWidth, first) + 20);
    RECT before = {};
    GetWindowRect(frame_->FrameWindow(), &before);
    const std::vector<int> widths = ColumnWidths();
    const auto listFont = SendMessageA(List(), WM_GETFONT, 0, 0);
    const auto itemHeight = SendMessageA(Tree(), TVM_GETITEMHEIGHT, 0, 0);

    RECT suggested = {before.left, before.top,
                      before.left + RescaleDpi(Width(before), first, second),
                      before.top + RescaleDpi(Height(before), first, second)};
    ChangeDpi(second, suggested);
    RECT now = {};
    GetWindowRect(frame_->FrameWindow(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(frame_->Detail().Dpi(), second);
    EXPECT_EQ(Width(frame_->RectInFrame(Tree())), RescaleDpi(treeWidth, first, second));
    EXPECT_EQ(DetailRowHeight(), ScaleToDpi(CDataView::kDetailHeight, second));
    std::vector<int> rescaled;
    for (int width : widths)
        rescaled.push_back(RescaleDpi(width, first, second));
    EXPECT_EQ(ColumnWidths(), rescaled);
    EXPECT_GT(SendMessageA(Tree(), TVM_GETITEMHEIGHT, 0, 0), itemHeight);  // the larger font
    ExpectNothingCut();
    ExpectDetailLinesApart();

    ChangeDpi(first, before);
    GetWindowRect(frame_->FrameWindow(), &now);
    EXPECT_TRUE(EqualRect(&now, &before));
    EXPECT_EQ(Width(frame_->RectInFrame(Tree())), treeWidth);
    EXPECT_EQ(DetailRowHeight(), ScaleToDpi(CDataView::kDetailHeight, first));
    EXPECT_EQ(ColumnWidths(), widths);
    EXPECT_EQ(SendMessageA(List(), WM_GETFONT, 0, 0), listFont);  // the control's own again
    EXPECT_EQ(SendMessageA(Tree(), TVM_GETITEMHEIGHT, 0, 0), itemHeight);
    EXPECT_EQ(ImageSize(TreeView_GetImageList(Tree(), TVSIL_NORMAL)), ScaleToDpi(16, first));
}

}  // namespace

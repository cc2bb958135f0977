// CDetailView as a real window: it keeps its own copy of the record and repaints on every change
// and resize. Pixels are read back from the window on the virtual display.
#include "views/detail_view.h"

#include <gtest/gtest.h>

#include "tests/support/memory_canvas.h"
#include "tests/detail/test_files.h"
#include "views/detail_paint.h"

namespace {

constexpr COLORREF kLastBand = RGB(254, 254, 255);

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

SERVICE_ITEM MakeItem(const std::string& imagePath) {
    SERVICE_ITEM item;
    item.lpServiceName = "TestSvc";
    item.lpDisplayName = "Test service";
    CopyText(item.ImagePath, sizeof item.ImagePath, imagePath.c_str());
    return item;
}

class DetailViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DetailTestHost";
        RegisterClassA(&wc);
        host_ = CreateWindowExA(WS_EX_TOPMOST, "DetailTestHost", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                500, 120, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(host_);
        CreateContext context;
        ASSERT_TRUE(view_.CreatePane(host_, 59648, RECT{0, 0, 500, 120}, context));
        SendMessageA(view_.Handle(), WM_SIZE, SIZE_RESTORED, 0);
        Pump();
    }
    void TearDown() override {
        view_.Destroy();
        if (host_)
            DestroyWindow(host_);
    }
    // The pane's pixels as they are now: no messages are pumped, so what shows was painted
    // before the call that changed it returned.
    void Grab(MemoryCanvas& canvas) {
        HDC dc = GetDC(view_.Handle());
        BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
        ReleaseDC(view_.Handle(), dc);
    }
    int IconInk() {
        MemoryCanvas canvas(500, 120, RGB(255, 0, 255));
        Grab(canvas);
        return canvas.CountOther({60, 10, 92, 42}, kDetailBackground);
    }

    HWND host_ = nullptr;
    CDetailView view_;
};

TEST_F(DetailViewTest, StartsEmptyWithBackgroundStripAndHeading) {
    EXPECT_EQ(view_.Service(), nullptr);
    MemoryCanvas canvas(500, 120, RGB(255, 0, 255));
    Grab(canvas);
    EXPECT_TRUE(canvas.AllOf({30, 0, 500, 120}, kDetailBackground));
    EXPECT_TRUE(canvas.AllOf({0, 0, 30, 4}, kDetailBackground));
    EXPECT_TRUE(canvas.AllOf({0, 116, 30, 120}, kLastBand));
    EXPECT_GT(canvas.CountOther({7, 0, 23, 116}, canvas.At(29, 60)), 0);
}

TEST_F(DetailViewTest, KeepsItsOwnCopyAndRepaintsAtOnce) {
    SERVICE_ITEM item = MakeItem(TestFile("ver_plain.dll"));
    view_.SetService(&item);
    ASSERT_NE(view_.Service(), nullptr);
    const SERVICE_ITEM* storage = view_.Service();
    CopyText(item.ImagePath, sizeof item.ImagePath, "changed");
    EXPECT_EQ(std::string(view_.Service()->ImagePath), TestFile("ver_plain.dll"));
    EXPECT_GT(IconInk(), 100);

    view_.SetService(&item);
    EXPECT_EQ(view_.Service(), storage);  // the storage is reused
    EXPECT_STREQ(view_.Service()->ImagePath, "changed");

    view_.SetService(nullptr);
    EXPECT_EQ(view_.Service(), nullptr);
    EXPECT_EQ(IconInk(), 0);
}

TEST_F(DetailViewTest, ResizeRepaintsFromTheNewBottom) {
    SetWindowPos(view_.Handle(), nullptr, 0, 0, 500, 116, SWP_NOZORDER | SWP_NOACTIVATE);
    MemoryCanvas canvas(500, 120, RGB(255, 0, 255));
    Grab(canvas);
    // 25 bands of 4.64 pixels end at 115: the bottom row keeps the background.
    EXPECT_TRUE(canvas.AllOf({0, 115, 7, 116}, kDetailBackground));
    EXPECT_TRUE(canvas.AllOf({0, 111, 7, 115}, kLastBand));
}

}  // namespace

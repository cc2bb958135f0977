// CDetailView as a real window: it keeps its own copy of the record and repaints on every change
// and resize. Pixels are read back from the window on the virtual display.
#include "views/detail_view.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdint>

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

// What the process holds now: committed private memory and resident pages, in bytes.
struct MemoryUse {
    int64_t committed = 0;
    int64_t resident = 0;
};
MemoryUse Memory() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {static_cast<int64_t>(counters.PagefileUsage),
            static_cast<int64_t>(counters.WorkingSetSize)};
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

// A binary whose resource directory claims a version record of 1 MB or 2 GB is not read: shown a
// hundred times and painted a hundred times, the pane keeps the process's memory flat (a read per
// paint that faulted and never freed its block grew it by 2 MB a paint).
TEST_F(DetailViewTest, HostileVersionRecordsCostNothingHoweverOftenThePanePaints) {
    constexpr int64_t kFlat = 4 << 20;
    for (uint32_t claimed : {1u << 20, 0x7FFFFFFFu}) {
        const std::string copy =
            TestFile(("pane_hostile_" + std::to_string(claimed) + ".dll").c_str());
        ASSERT_TRUE(CopyWithVersionSize(TestFile("ver_plain.dll"), copy, claimed));
        SERVICE_ITEM item = MakeItem(copy);
        view_.SetService(&item);
        ASSERT_TRUE(view_.Facts().found);
        EXPECT_STREQ(view_.Facts().version, "");
        const MemoryUse before = Memory();
        for (int i = 0; i < 100; ++i)
            view_.SetService(&item);
        for (int i = 0; i < 100; ++i) {
            InvalidateRect(view_.Handle(), nullptr, TRUE);
            UpdateWindow(view_.Handle());
        }
        const MemoryUse after = Memory();
        EXPECT_LT(after.committed - before.committed, kFlat) << claimed;
        EXPECT_LT(after.resident - before.resident, kFlat) << claimed;
        EXPECT_GT(IconInk(), 100);  // painted all along
    }
}

}  // namespace

// The main window on Wine's own service manager and registry: the list holds what the service
// manager enumerates, the categories narrow it, a selected service reaches the status bar.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "tests/support/running_frame.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"

namespace {

class LiveFrame : public ::testing::Test {
protected:
    void SetUp() override {
        frame_.reset(new RunningFrame(system_));
        ASSERT_TRUE(frame_->Started());
    }
    void TearDown() override { frame_.reset(); }

    // Enumerated services: every one is listed, also those without a registry key (Wine's device
    // hosts).
    std::set<std::string> Enumerated(uint32_t type) {
        std::vector<ServiceEntry> entries;
        EXPECT_EQ(system_.EnumerateServices(type, entries).error, 0u);
        std::set<std::string> names;
        for (const ServiceEntry& entry : entries)
            names.insert(entry.serviceName);
        return names;
    }
    std::set<std::string> Shown() {
        std::vector<std::string> names = frame_->Names();
        return std::set<std::string>(names.begin(), names.end());
    }

    Win32System system_;
    std::unique_ptr<RunningFrame> frame_;
};

TEST_F(LiveFrame, ListsWhatTheServiceManagerEnumerates) {
    std::set<std::string> win32 = Enumerated(kServiceTypeWin32);
    ASSERT_FALSE(win32.empty());
    EXPECT_EQ(win32, Shown());
    EXPECT_EQ(1u, Shown().count("Spooler"));
    std::vector<HTREEITEM> items = frame_->TreeItems();
    frame_->SelectNode(items[12]);  // All Drivers Services
    EXPECT_EQ(Enumerated(kServiceTypeDriver), Shown());
    frame_->SelectNode(items[0]);
    EXPECT_EQ(win32, Shown());
}

TEST_F(LiveFrame, SelectingSpoolerShowsItsDescriptionAndRecord) {
    int row = frame_->RowOf("Spooler");
    ASSERT_GE(row, 0);
    frame_->SelectRow(row);
    const SERVICE_ITEM* record = frame_->List().ServiceList().Find("Spooler");
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(record->Description, frame_->StatusText());
    ASSERT_NE(nullptr, frame_->Detail().Service());
    EXPECT_EQ("Spooler", frame_->Detail().Service()->lpServiceName);
    EXPECT_EQ(record->Description, frame_->Cell(row, 3));
}

TEST_F(LiveFrame, RefreshRebuildsTheSameRows) {
    std::vector<std::string> before = frame_->Names();
    auto start = std::chrono::steady_clock::now();
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_REFRESH, 0);
    Pump();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start)
                  .count();
    std::printf("refresh of %zu rows: %lld ms\n", before.size(), static_cast<long long>(ms));
    EXPECT_EQ(before, frame_->Names());
}

}  // namespace

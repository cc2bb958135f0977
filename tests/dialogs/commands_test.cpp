// Start, stop and properties on the service list's selected row, over the fake service manager,
// driven through the real frame: commands go to the frame window as the toolbar sends them, and
// message boxes are answered for real or through the answerer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "frame_harness.h"
#include "modal_driver.h"
#include "platform/fake/fake_system.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

constexpr uint32_t kErrorServiceDisabled = 1058;

// Every message box shown while it lives, answered with one fixed button.
struct BoxRecorder {
    explicit BoxRecorder(int answer)
        : answerer([this, answer](const std::string& text, UINT type) {
              boxes.emplace_back(text, type);
              return answer;
          }) {}
    std::vector<std::pair<std::string, UINT>> boxes;
    ScopedMessageBoxAnswerer answerer;
};

// The services of every test here, registered before the frame loads its catalogue.
struct FakeServices {
    FakeServices();
    FakeSystem fake;
};

FakeServices::FakeServices() {
    fake.AddService(kServiceTypeWin32, "Alpha", "C:\\alpha.exe", 3, kStateStopped);
    fake.AddService(kServiceTypeWin32, "Beta", "C:\\beta.exe", 2, kStateRunning);
    fake.AddService(kServiceTypeWin32, "Gamma", "C:\\gamma.exe", 4, kStateStopped).startError =
        kErrorServiceDisabled;
    fake.AddService(kServiceTypeWin32, "Delta", "C:\\delta.exe", 2, kStateRunning).stopError =
        kErrorAccessDenied;
    fake.AddService(kServiceTypeDriver, "DrvOne", "system32\\drivers\\one.sys", 1, kStateRunning);
}

class CommandsTest : public ::testing::Test, protected FakeServices {
protected:
    // Selects the service's row; fails the test when it is not listed.
    int SelectService(const std::string& name) {
        int row = frame.RowOf(name);
        EXPECT_GE(row, 0) << name;
        if (row >= 0)
            frame.Select(row);
        return row;
    }

    FrameHarness frame{fake, fake};
};

TEST_F(CommandsTest, WithoutSelectionEachCommandAsksForOneAndDoesNothingElse) {
    ASSERT_TRUE(frame.Ready());
    BoxRecorder boxes(IDOK);
    for (UINT command : {ID_SERVICE_START, ID_SERVICE_STOP, ID_SERVICE_PROPERTY}) {
        frame.Command(command);
    }
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.first, LoadResString(IDS_SELECT_SERVICE));
        EXPECT_EQ(box.second, static_cast<UINT>(MB_OK | MB_ICONHAND));
    }
    EXPECT_EQ(fake.Service("Alpha")->startRequests + fake.Service("Beta")->stopRequests, 0);
}

TEST_F(CommandsTest, RealSelectionBoxIsOwnedByTheDisabledFrame) {
    ASSERT_TRUE(frame.Ready());
    std::string text;
    HWND owner = nullptr;
    bool frameEnabled = true;
    ModalDriver driver({{kAppCaption, [&](HWND box) {
                             text = MessageBoxText(box);
                             owner = OwnerOf(box);
                             frameEnabled = IsWindowEnabled(frame.Frame()) != FALSE;
                             PressButton(box, IDOK);
                         }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(text, LoadResString(IDS_SELECT_SERVICE));
    EXPECT_EQ(owner, frame.Frame());
    EXPECT_FALSE(frameEnabled);
    EXPECT_TRUE(IsWindowEnabled(frame.Frame()));
}

TEST_F(CommandsTest, ConfirmedStartStartsAndMarksTheRowButNotTheCatalogue) {
    int row = SelectService("Alpha");
    ASSERT_GE(row, 0);
    std::string question;
    ModalDriver driver({{kAppCaption, [&](HWND box) {
                             question = MessageBoxText(box);
                             PressButton(box, IDYES);
                         }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(question, "您真的要启动服务“Alpha”吗?");
    EXPECT_EQ(fake.Service("Alpha")->startRequests, 1);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
    const SERVICE_ITEM* record = frame.List().ServiceList().Find("Alpha");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateStopped);
}

TEST_F(CommandsTest, AnsweringNoLeavesServiceAndRowAlone) {
    int row = SelectService("Alpha");
    ASSERT_GE(row, 0);
    ModalDriver driver({{kAppCaption, [](HWND box) { PressButton(box, IDNO); }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(fake.Service("Alpha")->startRequests, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
}

TEST_F(CommandsTest, StartOfRunningServiceMakesNoRequestAndShowsStarted) {
    int row = SelectService("Beta");
    frame.SetCell(row, CWinSvrView::kColStatus, "x");
    BoxRecorder boxes(IDYES);
    frame.Command(ID_SERVICE_START);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].second, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(fake.Service("Beta")->startRequests, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
}

TEST_F(CommandsTest, RefusedStartShowsTheSystemsReasonAndKeepsTheCell) {
    int row = SelectService("Gamma");
    std::vector<std::string> texts;
    ModalDriver driver({{kAppCaption, [&](HWND box) { PressButton(box, IDYES); }},
                        {kAppCaption, [&](HWND box) {
                             texts.push_back(MessageBoxText(box));
                             PressButton(box, IDOK);
                         }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(fake.Service("Gamma")->startRequests, 1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], SystemErrorText(kErrorServiceDisabled));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");

    BoxRecorder boxes(IDYES);
    frame.Command(ID_SERVICE_START);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].second, static_cast<UINT>(MB_OK | MB_ICONHAND));
}

TEST_F(CommandsTest, StopAsksWithItsWarningAndStopsAndEmptiesTheCell) {
    int row = SelectService("Beta");
    BoxRecorder boxes(IDYES);
    frame.Command(ID_SERVICE_STOP);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].first,
              "如果您不具备专业电脑知识,\n或者不清楚停止服务会带来哪些负面影响,\n请三思而后行。"
              "\n\n您真的要停止服务“Beta”吗?");
    EXPECT_EQ(fake.Service("Beta")->stopRequests, 1);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
    const SERVICE_ITEM* record = frame.List().ServiceList().Find("Beta");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateRunning);
}

TEST_F(CommandsTest, StopOfStoppedServiceIsNoFailure) {
    int row = SelectService("Alpha");
    frame.SetCell(row, CWinSvrView::kColStatus, "x");
    BoxRecorder boxes(IDYES);
    frame.Command(ID_SERVICE_STOP);
    EXPECT_EQ(boxes.boxes.size(), 1u);  // the confirmation only
    EXPECT_EQ(fake.Service("Alpha")->stopRequests, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
}

TEST_F(CommandsTest, RefusedStopShowsTheReasonAndKeepsStarted) {
    int row = SelectService("Delta");
    BoxRecorder boxes(IDYES);
    frame.Command(ID_SERVICE_STOP);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].first, SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(boxes.boxes[1].second, static_cast<UINT>(MB_OK | MB_ICONHAND));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
}

TEST_F(CommandsTest, DriverRowIsNotStartedOrStoppedButOpensProperties) {
    frame.MainFrame().SetCategory(kKindDriver, -1, -1);
    PumpPending();
    int row = SelectService("DrvOne");
    ASSERT_GE(row, 0);
    {
        BoxRecorder boxes(IDYES);
        frame.List().StartSelectedService();
        frame.List().StopSelectedService();
        EXPECT_TRUE(boxes.boxes.empty());
    }
    EXPECT_EQ(fake.Service("DrvOne")->startRequests + fake.Service("DrvOne")->stopRequests, 0);
    std::string name;
    ModalDriver driver({{kPropertyCaption, [&](HWND dialog) {
                             name = WindowText(GetDlgItem(dialog, IDC_SERVICE_NAME));
                             PressButton(dialog, IDCANCEL);
                         }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(name, "DrvOne");
}

TEST_F(CommandsTest, EmptyNameOrUnknownServiceDoesNothingSilently) {
    int row = SelectService("Alpha");
    BoxRecorder boxes(IDYES);
    ModalDriver noDialog({}, 3000);  // closes a dialog that must not open
    frame.SetCell(row, CWinSvrView::kColName, "");
    frame.Command(ID_SERVICE_START);
    frame.Command(ID_SERVICE_PROPERTY);
    frame.SetCell(row, CWinSvrView::kColName, "alpha");  // names match case-sensitively
    frame.Command(ID_SERVICE_STOP);
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(noDialog.Done());
}

}  // namespace

// Start, stop and properties on the service list's selected row, over the sample system, driven
// through the real frame: commands go to the frame window as the toolbar sends them, and message
// boxes are answered for real or through the answerer.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/modal_driver.h"
#include "res/resource.h"
#include "tests/support/sample_frame_test.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

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

using CommandsTest = SampleFrameTest;

TEST_F(CommandsTest, WithoutSelectionEachCommandAsksForOneAndDoesNothingElse) {
    BoxRecorder boxes(IDOK);
    for (UINT command : {ID_SERVICE_START, ID_SERVICE_STOP, ID_SERVICE_PROPERTY}) {
        frame_->Command(command);
    }
    ASSERT_EQ(boxes.boxes.size(), 3u);
    for (const auto& box : boxes.boxes) {
        EXPECT_EQ(box.first, LoadResString(IDS_SELECT_SERVICE));
        EXPECT_EQ(box.second, static_cast<UINT>(MB_OK | MB_ICONHAND));
    }
    EXPECT_EQ(system_.Service("Beta")->startRequests + system_.Service("Alpha")->stopRequests, 0);
}

TEST_F(CommandsTest, RealSelectionBoxIsOwnedByTheDisabledFrame) {
    std::string text;
    HWND owner = nullptr;
    bool frameEnabled = true;
    ModalDriver driver({{kAppCaption, [&](HWND box) {
                             text = MessageBoxText(box);
                             owner = OwnerOf(box);
                             frameEnabled = IsWindowEnabled(frame_->FrameWindow()) != FALSE;
                             PressButton(box, IDOK);
                         }}});
    frame_->Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(text, LoadResString(IDS_SELECT_SERVICE));
    EXPECT_EQ(owner, frame_->FrameWindow());
    EXPECT_FALSE(frameEnabled);
    EXPECT_TRUE(IsWindowEnabled(frame_->FrameWindow()));
}

TEST_F(CommandsTest, ConfirmedStartStartsAndMarksTheRowButNotTheCatalogue) {
    int row = frame_->SelectService("Beta");
    ASSERT_GE(row, 0);
    std::string question;
    ModalDriver driver({{kAppCaption, [&](HWND box) {
                             question = MessageBoxText(box);
                             PressButton(box, IDYES);
                         }}});
    frame_->Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(question, "您真的要启动服务“Beta”吗?");
    EXPECT_EQ(system_.Service("Beta")->startRequests, 1);
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "已启动");
    const SERVICE_ITEM* record = frame_->List().ServiceList().Find("Beta");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateStopped);
}

TEST_F(CommandsTest, AnsweringNoLeavesServiceAndRowAlone) {
    int row = frame_->SelectService("Beta");
    ASSERT_GE(row, 0);
    ModalDriver driver({{kAppCaption, [](HWND box) { PressButton(box, IDNO); }}});
    frame_->Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(system_.Service("Beta")->startRequests, 0);
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "");
}

TEST_F(CommandsTest, StartOfRunningServiceMakesNoRequestAndShowsStarted) {
    int row = frame_->SelectService("Alpha");
    ASSERT_GE(row, 0);
    frame_->SetCell(row, CWinSvrView::kColStatus, "x");
    BoxRecorder boxes(IDYES);
    frame_->Command(ID_SERVICE_START);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].second, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(system_.Service("Alpha")->startRequests, 0);
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "已启动");
}

TEST_F(CommandsTest, RefusedStartShowsTheSystemsReasonAndKeepsTheCell) {
    int row = frame_->SelectService("Gamma");
    ASSERT_GE(row, 0);
    std::vector<std::string> texts;
    ModalDriver driver({{kAppCaption, [&](HWND box) { PressButton(box, IDYES); }},
                        {kAppCaption, [&](HWND box) {
                             texts.push_back(MessageBoxText(box));
                             PressButton(box, IDOK);
                         }}});
    frame_->Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(system_.Service("Gamma")->startRequests, 1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], SystemErrorText(kErrorServiceDisabled));
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "暂停");

    BoxRecorder boxes(IDYES);
    frame_->Command(ID_SERVICE_START);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].second, static_cast<UINT>(MB_OK | MB_ICONHAND));
}

TEST_F(CommandsTest, StopAsksWithItsWarningAndStopsAndEmptiesTheCell) {
    int row = frame_->SelectService("Alpha");
    ASSERT_GE(row, 0);
    BoxRecorder boxes(IDYES);
    frame_->Command(ID_SERVICE_STOP);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].first,
              "如果您不具备专业电脑知识,\n或者不清楚停止服务会带来哪些负面影响,\n请三思而后行。"
              "\n\n您真的要停止服务“Alpha”吗?");
    EXPECT_EQ(system_.Service("Alpha")->stopRequests, 1);
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "");
    const SERVICE_ITEM* record = frame_->List().ServiceList().Find("Alpha");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateRunning);
}

TEST_F(CommandsTest, StopOfStoppedServiceIsNoFailure) {
    int row = frame_->SelectService("Beta");
    ASSERT_GE(row, 0);
    frame_->SetCell(row, CWinSvrView::kColStatus, "x");
    BoxRecorder boxes(IDYES);
    frame_->Command(ID_SERVICE_STOP);
    EXPECT_EQ(boxes.boxes.size(), 1u);  // the confirmation only
    EXPECT_EQ(system_.Service("Beta")->stopRequests, 0);
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "");
}

TEST_F(CommandsTest, RefusedStopShowsTheReasonAndKeepsStarted) {
    int row = frame_->SelectService("LocalSvc");
    ASSERT_GE(row, 0);
    BoxRecorder boxes(IDYES);
    frame_->Command(ID_SERVICE_STOP);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].first, SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(boxes.boxes[1].second, static_cast<UINT>(MB_OK | MB_ICONHAND));
    EXPECT_EQ(frame_->Cell(row, CWinSvrView::kColStatus), "已启动");
}

// A stop the fake manager refuses, as Windows does, because running services depend on the
// service: they are listed (indirect ones first, stopped ones not); No stops nothing; Yes stops
// each in that order, then the service; the first that does not stop is named with its reason.
TEST_F(CommandsTest, StopRefusedForRunningDependentsOffersToStopThemFirst) {
    FakeService& alpha = *system_.Service("Alpha");
    FakeService& client =
        system_.AddService(kServiceTypeWin32, "Client", "c.exe", 3, kStateRunning);
    client.config.dependOnService = {"NetSvc", "ALPHA"};
    system_.AddService(kServiceTypeWin32, "Idle", "i.exe", 3, kStateStopped)
        .config.dependOnService = {"Alpha"};
    FakeService& viewer =
        system_.AddService(kServiceTypeWin32, "Viewer", "v.exe", 3, kStateRunning);
    viewer.config.dependOnService = {"Client"};
    frame_->Command(ID_REFRESH);
    auto stopAlpha = [&](int answer) {
        std::vector<std::string> texts;
        ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT) {
            texts.push_back(text);
            return texts.size() == 2 ? answer : IDYES;
        });
        EXPECT_GE(frame_->SelectService("Alpha"), 0);
        frame_->Command(ID_SERVICE_STOP);
        return texts;
    };
    std::vector<std::string> texts = stopAlpha(IDNO);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1],
              "下列正在运行的服务依赖于服务“Alpha”，必须先停止它们:\n\nViewer\nClient\n\n"
              "您真的要停止这些服务和服务“Alpha”吗?");
    EXPECT_EQ(client.stopRequests + viewer.stopRequests, 0);
    EXPECT_EQ(alpha.stopRequests, 1);  // the refused one
    const FakeSystem::AccessRequest listing = system_.AccessRequests().back();
    EXPECT_EQ(listing.service, "Alpha");
    EXPECT_EQ(listing.access, kServiceEnumerateDependents);  // and nothing more

    viewer.stopError = kErrorAccessDenied;
    texts = stopAlpha(IDYES);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2], "服务“Viewer”没有停止，所以服务“Alpha”也没有停止:\n" +
                            SystemErrorText(kErrorAccessDenied));
    EXPECT_EQ(client.stopRequests, 0);
    EXPECT_EQ(alpha.stopRequests, 2);
    EXPECT_EQ(frame_->Cell(frame_->RowOf("Alpha"), CWinSvrView::kColStatus), "已启动");

    viewer.stopError = 0;
    EXPECT_EQ(stopAlpha(IDYES).size(), 2u);
    EXPECT_EQ(alpha.entry.status.dwCurrentState, kStateStopped);
    for (const char* name : {"Viewer", "Client", "Alpha"}) {
        EXPECT_EQ(system_.Service(name)->entry.status.dwCurrentState, kStateStopped) << name;
        EXPECT_EQ(frame_->Cell(frame_->RowOf(name), CWinSvrView::kColStatus), "") << name;
    }
}

TEST_F(CommandsTest, DriverRowIsNotStartedOrStoppedButOpensProperties) {
    frame_->Frame().SetCategory(kKindDriver, -1, -1);
    Pump();
    int row = frame_->SelectService("DrvBoot");
    ASSERT_GE(row, 0);
    {
        BoxRecorder boxes(IDYES);
        frame_->List().StartSelectedService();
        frame_->List().StopSelectedService();
        EXPECT_TRUE(boxes.boxes.empty());
    }
    EXPECT_EQ(system_.Service("DrvBoot")->startRequests + system_.Service("DrvBoot")->stopRequests,
              0);
    std::string name;
    ModalDriver driver({{kPropertyCaption, [&](HWND dialog) {
                             name = WindowText(GetDlgItem(dialog, IDC_SERVICE_NAME));
                             PressButton(dialog, IDCANCEL);
                         }}});
    frame_->Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(name, "DrvBoot");
}

TEST_F(CommandsTest, EmptyNameOrUnknownServiceDoesNothingSilently) {
    int row = frame_->SelectService("Alpha");
    ASSERT_GE(row, 0);
    BoxRecorder boxes(IDYES);
    ModalDriver noDialog({}, 3000);  // closes a dialog that must not open
    frame_->SetCell(row, CWinSvrView::kColName, "");
    frame_->Command(ID_SERVICE_START);
    frame_->Command(ID_SERVICE_PROPERTY);
    frame_->SetCell(row, CWinSvrView::kColName, "alpha");  // names match case-sensitively
    frame_->Command(ID_SERVICE_STOP);
    frame_->Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(noDialog.Done());
}

// Two names that read alike in UTF-8 (a lone surrogate, and U+FFFD itself): each row acts on the
// service it shows, not on the first of that name.
TEST(CommandsOnNamesAlike, EachRowStartsItsOwnService) {
    FakeSystem system;
    const std::string shown = "Twin\xEF\xBF\xBD";
    FakeService& lone =
        system.AddService(kServiceTypeWin32, shown, "C:\\twin.exe", 3, kStateStopped);
    lone.entry.serviceNameW = u"Twin\xD800";
    FakeService& other =
        system.AddService(kServiceTypeWin32, shown, "C:\\twin.exe", 3, kStateStopped);
    RunningFrame frame(system);
    ASSERT_EQ(frame.RowCount(), 2);
    BoxRecorder yes(IDYES);
    frame.SelectRow(1);
    frame.Command(ID_SERVICE_START);
    EXPECT_EQ(lone.startRequests, 0);
    EXPECT_EQ(other.startRequests, 1);
    EXPECT_EQ(frame.Cell(1, CWinSvrView::kColStatus), "已启动");
    EXPECT_EQ(frame.Cell(0, CWinSvrView::kColStatus), "");
}

}  // namespace

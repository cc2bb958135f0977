// The commands and the properties dialog against Wine's own service manager and registry: a
// confirmed start really starts Spooler (sc.exe sees it), a refused start explains itself, and a
// confirmed start-type change lands in the registry (reg.exe sees it) and takes effect at once.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/service_property_dlg.h"
#include "catalogue/service_control.h"
#include "frame_harness.h"
#include "live_system.h"
#include "modal_driver.h"
#include "test_services.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"
#include "window/message_box.h"

namespace {

const char kSpoolerKey[] = "SYSTEM\\CurrentControlSet\\Services\\Spooler";
const char kThrowawayKey[] = "SYSTEM\\CurrentControlSet\\Services\\OrvaneThrowaway";

bool ScReaches(const char* name, uint32_t state) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        ScState sc;
        if (ScQuery(name, sc) && sc.state == state)
            return true;
        Sleep(100);
    }
    return false;
}

// The "Start" value as reg.exe prints it ("0x3"), empty when the key or value is missing.
std::string RegStart(const std::string& key) {
    RegKeys keys;
    if (!RegQueryTree(key, keys))
        return std::string();
    auto found = keys.find(key);
    if (found == keys.end())
        return std::string();
    auto value = found->second.find("Start");
    return value == found->second.end() ? std::string() : value->second.data;
}

int Reg(const std::string& arguments) {
    std::string output;
    return RunCommand("reg.exe " + arguments, output);
}

// Runs a step every period milliseconds in whatever message loop runs, until the step says no more.
class TimerTask {
public:
    TimerTask(UINT period, std::function<bool()> step) : step_(std::move(step)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, period, OnTimer);
    }
    ~TimerTask() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    TimerTask(const TimerTask&) = delete;
    TimerTask& operator=(const TimerTask&) = delete;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (current_ && current_->step_ && !current_->step_())
            current_->step_ = nullptr;
    }
    static TimerTask* current_;
    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
};
TimerTask* TimerTask::current_ = nullptr;

void SelectStartType(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

class LiveTest : public ::testing::Test {
protected:
    int SelectService(const char* name) {
        int row = frame.RowOf(name);
        EXPECT_GE(row, 0) << name;
        if (row >= 0)
            frame.Select(row);
        return row;
    }
    Win32System system;
    FrameHarness frame{system, system};
};

TEST_F(LiveTest, ConfirmedStartAndStopReallyStartAndStopSpooler) {
    ASSERT_TRUE(ScReaches("Spooler", kStateStopped));
    int row = SelectService("Spooler");
    ASSERT_GE(row, 0);
    std::string question;
    ModalDriver start({{kAppCaption, [&](HWND box) {
                            question = MessageBoxText(box);
                            PressButton(box, IDYES);
                        }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(start.Done());
    EXPECT_EQ(question, "您真的要启动服务“Spooler”吗?");
    EXPECT_TRUE(ScReaches("Spooler", kStateRunning));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
    // The catalogue keeps the state of the last load.
    const SERVICE_ITEM* record = frame.List().ServiceList().Find("Spooler");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateStopped);
    // A refresh reads the new state and rebuilds the rows without a selection.
    frame.Command(ID_REFRESH);
    record = frame.List().ServiceList().Find("Spooler");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ServiceStatus.dwCurrentState, kStateRunning);
    row = SelectService("Spooler");
    ASSERT_GE(row, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");

    ModalDriver stop({{kAppCaption, [](HWND box) { PressButton(box, IDYES); }}});
    frame.Command(ID_SERVICE_STOP);
    EXPECT_TRUE(stop.Done());
    EXPECT_TRUE(ScReaches("Spooler", kStateStopped));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");

    // Stopped already: no failure, no message after the confirmation.
    frame.SetCell(row, CWinSvrView::kColStatus, "x");
    ModalDriver again({{kAppCaption, [](HWND box) { PressButton(box, IDYES); }}});
    frame.Command(ID_SERVICE_STOP);
    EXPECT_TRUE(again.Done());
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
}

TEST_F(LiveTest, RefusedStartOfDisabledServiceShowsTheReasonAndKeepsTheCell) {
    ASSERT_EQ(RegStart("SYSTEM\\CurrentControlSet\\Services\\LanmanServer"), "0x4");
    int row = SelectService("LanmanServer");
    ASSERT_GE(row, 0);
    std::string reason;
    HWND owner = nullptr;
    ModalDriver driver({{kAppCaption, [](HWND box) { PressButton(box, IDYES); }},
                        {kAppCaption, [&](HWND box) {
                             reason = MessageBoxText(box);
                             owner = OwnerOf(box);
                             PressButton(box, IDOK);
                         }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(reason, SystemErrorText(ERROR_SERVICE_DISABLED));
    EXPECT_NE(reason, std::to_string(ERROR_SERVICE_DISABLED));  // the system's words, not a code
    EXPECT_EQ(owner, frame.Frame());
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
    ScState sc;
    ASSERT_TRUE(ScQuery("LanmanServer", sc));
    EXPECT_EQ(sc.state, kStateStopped);
}

TEST_F(LiveTest, PropertiesShowTheRecordAndAConfirmedChangeLandsInTheRegistry) {
    ASSERT_EQ(RegStart(kSpoolerKey), "0x3");
    ASSERT_GE(SelectService("Spooler"), 0);
    const SERVICE_ITEM* record = frame.List().ServiceList().Find("Spooler");
    ASSERT_NE(record, nullptr);
    std::string imagePath;
    std::string description;
    int selection = -2;
    ModalDriver no({{kPropertyCaption,
                     [&](HWND dialog) {
                         imagePath = WindowText(GetDlgItem(dialog, IDC_IMAGE_PATH));
                         description = WindowText(GetDlgItem(dialog, IDC_DESCRIPTION));
                         selection = static_cast<int>(
                             SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_GETCURSEL, 0, 0));
                         SelectStartType(dialog, 4);
                         PressButton(dialog, IDC_PROPERTY_OK);
                     }},
                    {kAppCaption, [](HWND box) { PressButton(box, IDNO); }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(no.Done());
    EXPECT_EQ(imagePath, record->ImagePath);
    EXPECT_EQ(description, record->Description);
    EXPECT_EQ(selection, 3);
    EXPECT_EQ(RegStart(kSpoolerKey), "0x3");

    // Enter after choosing another type asks, then changes it; the manager uses it at once: a
    // start of the service just disabled is refused.
    ModalDriver yes({{kPropertyCaption,
                      [](HWND dialog) {
                          SelectStartType(dialog, 4);
                          PressKey(GetDlgItem(dialog, IDC_START_TYPE), VK_RETURN);
                      }},
                     {kAppCaption, [](HWND box) { PressButton(box, IDYES); }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(yes.Done());
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");
    std::string reason;
    ModalDriver start({{kAppCaption, [](HWND box) { PressButton(box, IDYES); }},
                       {kAppCaption, [&](HWND box) {
                            reason = MessageBoxText(box);
                            PressButton(box, IDOK);
                        }}});
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(start.Done());
    EXPECT_EQ(reason, SystemErrorText(ERROR_SERVICE_DISABLED));

    // Boot start is refused for a Win32 service, as Windows refuses it, and nothing is written.
    ModalDriver boot({{kPropertyCaption,
                       [](HWND dialog) {
                           SelectStartType(dialog, 0);
                           PressButton(dialog, IDC_PROPERTY_OK);
                       }},
                      {kAppCaption, [](HWND box) { PressButton(box, IDYES); }},
                      {kAppCaption, [&](HWND box) {
                           reason = MessageBoxText(box);
                           PressButton(box, IDOK);
                       }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(boot.Done());
    EXPECT_EQ(reason, SystemErrorText(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");

    EXPECT_EQ(ChangeServiceStartType(system, u"Spooler", 3), 0u);
    EXPECT_EQ(RegStart(kSpoolerKey), "0x3");
}

TEST(LiveProperties, ServiceDeletedWhileOpenShowsTheReasonAndIsNotCreatedAgain) {
    const std::wstring name = L"OrvaneThrowaway";
    ASSERT_TRUE(RegisterTestService(name, "run"));
    ASSERT_EQ(RegStart(kThrowawayKey), "0x3");
    SERVICE_ITEM record;
    record.lpServiceName = "OrvaneThrowaway";
    record.lpServiceNameW = u"OrvaneThrowaway";
    record.Start = 3;
    Win32System system;
    CServicePropertyDlg dialog(system);
    dialog.SetRecord(record);
    std::string reason;
    ModalDriver driver({{kPropertyCaption,
                         [&](HWND dialog) {
                             RemoveTestService(name);
                             SelectStartType(dialog, 2);
                             PressButton(dialog, IDC_PROPERTY_OK);
                         }},
                        {kAppCaption, [](HWND box) { PressButton(box, IDYES); }},
                        {kAppCaption, [&](HWND box) {
                             reason = MessageBoxText(box);
                             PressButton(box, IDOK);
                         }}});
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(reason, SystemErrorText(ERROR_SERVICE_DOES_NOT_EXIST));
    RegKeys keys;
    EXPECT_FALSE(RegQueryTree(kThrowawayKey, keys));
}

// The test service in each of its behaviours, registered for the suite.
class LiveOutcomes : public LiveTest {
protected:
    static void SetUpTestSuite() {
        for (const auto& service : kServices)
            RegisterTestService(service.first, service.second);
    }
    static void TearDownTestSuite() {
        for (const auto& service : kServices)
            RemoveTestService(service.first);
    }
    void SetUp() override {
        for (const auto& service : kServices)
            ASSERT_GE(frame.RowOf(std::string(service.first.begin(), service.first.end())), 0);
    }

    // Runs the command on the service's row, answering the confirmation with Yes; the texts of
    // any further message boxes. With pump false, what the command left queued stays queued.
    std::vector<std::string> Command(const char* service, UINT command, bool pump = true) {
        std::vector<std::string> boxes;
        ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT type) {
            if (type != static_cast<UINT>(MB_YESNO | MB_ICONQUESTION))
                boxes.push_back(text);
            return IDYES;
        });
        SelectService(service);
        if (pump)
            frame.Command(command);
        else
            SendMessageA(frame.Frame(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return boxes;
    }
    std::string Status(const char* service) {
        return frame.Cell(frame.RowOf(service), CWinSvrView::kColStatus);
    }

    static const std::vector<std::pair<std::wstring, std::string>> kServices;
};

const std::vector<std::pair<std::wstring, std::string>> LiveOutcomes::kServices = {
    {L"OrvaneTestRun", "run"},
    {L"OrvaneTestFailWin32", "fail-win32 2"},
    {L"OrvaneTestFailSpecific", "fail-specific 42"},
    {L"OrvaneTestSlow", "slow 3000"},
    {L"OrvaneTestIgnoreStop", "ignore-stop"},
};

TEST_F(LiveOutcomes, StartAndStopShowTheStateReached) {
    frame.SetCell(frame.RowOf("OrvaneTestRun"), CWinSvrView::kColStatus, "x");
    EXPECT_TRUE(Command("OrvaneTestRun", ID_SERVICE_START).empty());
    EXPECT_TRUE(TestServiceReaches(L"OrvaneTestRun", SERVICE_RUNNING));
    EXPECT_EQ(Status("OrvaneTestRun"), "已启动");
    EXPECT_TRUE(Command("OrvaneTestRun", ID_SERVICE_STOP).empty());
    SERVICE_STATUS status = {};
    ASSERT_TRUE(QueryTestService(L"OrvaneTestRun", status));
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));  // no waiting needed
    EXPECT_EQ(Status("OrvaneTestRun"), "");
}

TEST_F(LiveOutcomes, StartThatEndsStoppedIsAFailureWithTheExitCode) {
    frame.SetCell(frame.RowOf("OrvaneTestFailWin32"), CWinSvrView::kColStatus, "x");
    EXPECT_EQ(Command("OrvaneTestFailWin32", ID_SERVICE_START),
              std::vector<std::string>{SystemErrorText(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(Status("OrvaneTestFailWin32"), "");
    EXPECT_EQ(Command("OrvaneTestFailSpecific", ID_SERVICE_START),
              std::vector<std::string>{SystemErrorText(ERROR_SERVICE_SPECIFIC_ERROR) +
                                       "\n\n服务特定的错误代码: 42"});
    EXPECT_EQ(Status("OrvaneTestFailSpecific"), "");
}

// While the command follows a slow start the window works: it repaints, its service commands are
// disabled and refused however they arrive, and a close waits until the command has ended.
TEST_F(LiveOutcomes, WindowStaysResponsiveWhileAStartIsFollowed) {
    HWND list = frame.ListControl();
    HWND toolBar = frame.MainFrame().ToolBar();
    std::vector<bool> enabled;
    bool repainted = false;
    bool closed = false;
    int ticks = 0;
    TimerTask during(200, [&] {
        ++ticks;
        if (ticks == 2) {
            for (UINT id : {ID_SERVICE_START, ID_SERVICE_STOP, ID_SERVICE_PROPERTY, ID_REFRESH})
                enabled.push_back(SendMessageA(toolBar, TB_ISBUTTONENABLED, id, 0) != 0);
            enabled.push_back(frame.MainFrame().IsCommandEnabled(ID_SERVICE_GROUP));
            InvalidateRect(list, nullptr, TRUE);
            PostMessageA(frame.Frame(), WM_COMMAND, ID_SERVICE_STOP, 0);
            PostMessageA(frame.Frame(), WM_COMMAND, ID_REFRESH, 0);
            PostMessageA(frame.Frame(), WM_CLOSE, 0, 0);
        } else if (ticks == 4) {
            RECT dirty = {};
            repainted = !GetUpdateRect(list, &dirty, FALSE);
            closed = !IsWindow(frame.Frame());
        }
        return ticks < 4;
    });
    const int marked = frame.RowOf("OrvaneTestRun");
    frame.SetCell(marked, CWinSvrView::kColDescription, "marker");  // a refresh would rebuild it
    const auto began = GetTickCount64();
    std::vector<std::string> boxes = Command("OrvaneTestSlow", ID_SERVICE_START, false);
    EXPECT_GE(GetTickCount64() - began, 2500u);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_TRUE(repainted);
    EXPECT_FALSE(closed);
    EXPECT_EQ(Status("OrvaneTestSlow"), "已启动");
    // The stop and the refresh were refused.
    EXPECT_TRUE(TestServiceReaches(L"OrvaneTestSlow", SERVICE_RUNNING));
    EXPECT_EQ(frame.Cell(marked, CWinSvrView::kColDescription), "marker");
    // The close comes once the command has ended.
    EXPECT_TRUE(IsWindow(frame.Frame()));
    PumpPending();
    EXPECT_FALSE(IsWindow(frame.Frame()));
}

TEST_F(LiveOutcomes, StopThatIsIgnoredIsReportedAtTheBound) {
    ASSERT_TRUE(Command("OrvaneTestIgnoreStop", ID_SERVICE_START).empty());
    frame.List().SetFollowBound(3000);
    const auto began = GetTickCount64();
    EXPECT_EQ(Command("OrvaneTestIgnoreStop", ID_SERVICE_STOP),
              std::vector<std::string>{SystemErrorText(ERROR_SERVICE_REQUEST_TIMEOUT)});
    EXPECT_LT(GetTickCount64() - began, 10000u);
    EXPECT_EQ(Status("OrvaneTestIgnoreStop"), "已启动");
    EXPECT_TRUE(TestServiceReaches(L"OrvaneTestIgnoreStop", SERVICE_RUNNING));
}

// Services the manager holds but that are awkward for a program in an 8-bit code page or that carry
// values of the wrong type, written behind the manager's back while it runs.
class LiveOddServices : public LiveTest {
protected:
    static void SetUpTestSuite() {
        RegisterTestService(kLone, "run");
        const std::wstring description = L"孤立代理项的服务";
        SetTestServiceValue(kLone, L"Description", REG_SZ, description.c_str(),
                            static_cast<DWORD>((description.size() + 1) * sizeof(wchar_t)));
        RegisterTestService(kHostile, "run");
        const wchar_t start[] = L"2";
        const DWORD abc = 0x434241;
        SetTestServiceValue(kHostile, L"Start", REG_SZ, start, sizeof start);
        SetTestServiceValue(kHostile, L"Description", REG_DWORD, &abc, sizeof abc);
        SetTestServiceValue(kHostile, L"Group", REG_BINARY, "Net", 3);
        RegisterTestService(kLongPath, "run " + std::string(300, 'x'));
    }
    static void TearDownTestSuite() {
        for (const std::wstring& name : {kLone, kHostile, kLongPath})
            RemoveTestService(name);
    }
    // Runs the properties dialog on the service's row, picks the start type (-1: none) and
    // confirms; the combo box's selection when it opened and any message box after the question.
    int ChangeStartType(const char* service, int index, std::vector<std::string>& boxes) {
        int shown = -2;
        ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT type) {
            if (type != static_cast<UINT>(MB_YESNO | MB_ICONQUESTION))
                boxes.push_back(text);
            return IDYES;
        });
        ModalDriver driver({{kPropertyCaption, [&](HWND dialog) {
                                 shown = static_cast<int>(SendDlgItemMessageA(
                                     dialog, IDC_START_TYPE, CB_GETCURSEL, 0, 0));
                                 SelectStartType(dialog, index);
                                 PressButton(dialog, IDC_PROPERTY_OK);
                             }}});
        SelectService(service);
        frame.Command(ID_SERVICE_PROPERTY);
        EXPECT_TRUE(driver.Done());
        return shown;
    }

    static const std::wstring kLone;
    static const std::wstring kHostile;
    static const std::wstring kLongPath;
};

const std::wstring LiveOddServices::kLone = std::wstring(L"OrvaneLone") + wchar_t(0xD800) + L"Svc";
const std::wstring LiveOddServices::kHostile = L"OrvaneTestHostile";
const std::wstring LiveOddServices::kLongPath = L"OrvaneTestLongPath";

// A lone surrogate in the name: listed, read, started, stopped and changed by the manager's own
// name, though its text form shows a replacement character.
TEST_F(LiveOddServices, NameWithALoneSurrogateIsListedReadAndControlled) {
    const char* name = "OrvaneLone\xEF\xBF\xBDSvc";
    const int row = frame.RowOf(name);
    ASSERT_GE(row, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColDescription), "孤立代理项的服务");
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStartType), "手动");
    EXPECT_NE(frame.Cell(row, CWinSvrView::kColFile).find("orvane_test_service.exe"),
              std::string::npos);

    ScopedMessageBoxAnswerer yes([](const std::string&, UINT) { return IDYES; });
    SelectService(name);
    frame.Command(ID_SERVICE_START);
    EXPECT_TRUE(TestServiceReaches(kLone, SERVICE_RUNNING));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
    frame.Command(ID_SERVICE_STOP);
    EXPECT_TRUE(TestServiceReaches(kLone, SERVICE_STOPPED));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");

    std::vector<std::string> boxes;
    EXPECT_EQ(ChangeStartType(name, 4, boxes), 3);
    EXPECT_TRUE(boxes.empty());
    DWORD type = 0, start = 0;
    std::wstring text;
    ASSERT_TRUE(GetTestServiceValue(kLone, L"Start", type, text, start));
    EXPECT_EQ(start, 4u);
}

// Values of the wrong type count as missing: the start type is unknown (no text, no category, no
// selection, nothing written unless one is picked), the texts fall back.
TEST_F(LiveOddServices, ValuesOfTheWrongTypeCountAsMissing) {
    const char* name = "OrvaneTestHostile";
    int row = frame.RowOf(name);
    ASSERT_GE(row, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStartType), "");
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColDescription), name);  // the display name
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColGroup), "");
    for (int32_t start = 0; start <= 4; ++start) {
        frame.MainFrame().SetCategory(kKindWin32, 1, start);
        EXPECT_EQ(frame.RowOf(name), -1) << start;
    }
    frame.MainFrame().SetCategory(kKindWin32, -1, -1);

    std::vector<std::string> boxes;
    EXPECT_EQ(ChangeStartType(name, -1, boxes), -1);
    EXPECT_TRUE(boxes.empty());
    DWORD type = 0, number = 0;
    std::wstring text;
    ASSERT_TRUE(GetTestServiceValue(kHostile, L"Start", type, text, number));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text, L"2");

    EXPECT_EQ(ChangeStartType(name, 3, boxes), -1);
    EXPECT_TRUE(boxes.empty());
    ASSERT_TRUE(GetTestServiceValue(kHostile, L"Start", type, text, number));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, 3u);
}

TEST_F(LiveOddServices, LongImagePathKeepsItsServiceCut) {
    const int row = frame.RowOf("OrvaneTestLongPath");
    ASSERT_GE(row, 0);
    // Cut to 259 characters; then the image path loses its quote pair.
    EXPECT_EQ(TextCharCount(frame.Cell(row, CWinSvrView::kColFile).c_str()), 257u);
}

}  // namespace

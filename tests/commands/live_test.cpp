// The commands and the properties dialog against Wine's own service manager and registry: a
// confirmed start really starts Spooler (sc.exe sees it), a refused start explains itself, and a
// confirmed start-type change lands in the registry (reg.exe sees it) and takes effect at once.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/service_property_dlg.h"
#include "catalogue/service_control.h"
#include "tests/support/live_system.h"
#include "tests/support/running_frame.h"
#include "tests/support/wait.h"
#include "tests/support/modal_driver.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"
#include "window/message_box.h"

namespace {

const char kSpoolerKey[] = "SYSTEM\\CurrentControlSet\\Services\\Spooler";
const char kThrowawayKey[] = "SYSTEM\\CurrentControlSet\\Services\\OrvaneThrowaway";

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

// The test service built beside this test (test_service.cpp), registered demand-start with Wine's
// running manager under a name of the test's own, its behaviour in its image path's arguments.
// dependencies: the services it depends on, as CreateService takes them (each ended by a NUL).
bool RegisterTestService(const std::wstring& name, const std::string& arguments,
                         const wchar_t* dependencies = nullptr) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module);
    path = L"\"" + path.substr(0, path.find_last_of(L'\\')) + L"\\orvane_test_service.exe\" " +
           std::wstring(arguments.begin(), arguments.end());
    DemandServiceSettings settings;
    settings.dependencies = dependencies;
    return CreateDemandService(name, SERVICE_WIN32_OWN_PROCESS, path, settings);
}

// The state the manager reports for a service, by its UTF-16 name; 0 when it cannot say.
DWORD ServiceState(const std::wstring& name) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_STATUS));
    SERVICE_STATUS status = {};
    return service && QueryServiceStatus(service.Get(), &status) ? status.dwCurrentState : 0;
}

bool Reaches(const std::wstring& name, DWORD state) {
    return WaitUntil([&] { return ServiceState(name) == state; });
}

// Ends the service (control 200 ends it in every behaviour) and deletes it.
void RemoveTestService(const std::wstring& name) {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    ScHandle service(OpenServiceW(manager.Get(), name.c_str(), SERVICE_USER_DEFINED_CONTROL));
    SERVICE_STATUS status = {};
    if (service && ControlService(service.Get(), 200, &status))
        Reaches(name, SERVICE_STOPPED);
    DeleteServiceNamed(name);
}

// Wine's manager stops a service that running services depend on, and lists no dependents (its
// EnumDependentServicesW is a stub, its QueryServiceConfigW reports none). This one refuses such a
// stop with ERROR_DEPENDENT_SERVICES_RUNNING and lists the active dependents among its services,
// as Windows documents, from the "DependOnService" values Wine writes; the stops are Wine's own.
class DependentsAsOnWindows : public Win32System {
public:
    explicit DependentsAsOnWindows(std::vector<std::wstring> services) : services_(services) {}
    uint32_t OpenServiceSession(const std::u16string& name, uint32_t access,
                                std::unique_ptr<ServiceSession>& session) override {
        std::vector<ServiceEntry> dependents;
        EnumerateActiveDependents(name, dependents);
        const uint32_t error = Win32System::OpenServiceSession(name, access, session);
        if (error == 0 && !dependents.empty())
            session.reset(new Refusing(std::move(session)));
        return error;
    }
    uint32_t EnumerateActiveDependents(const std::u16string& name,
                                       std::vector<ServiceEntry>& dependents) override {
        dependents.clear();
        for (const std::wstring& candidate : services_) {
            const std::wstring key = L"SYSTEM\\CurrentControlSet\\Services\\" + candidate;
            wchar_t needs[1024] = {};
            DWORD size = sizeof needs - 2 * sizeof(wchar_t);  // two NULs stay at the end
            if (ServiceState(candidate) == SERVICE_STOPPED ||
                RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"DependOnService",
                             RRF_RT_REG_MULTI_SZ, nullptr, needs, &size) != ERROR_SUCCESS)
                continue;
            for (const wchar_t* need = needs; *need; need += wcslen(need) + 1) {
                if (lstrcmpiW(need, reinterpret_cast<const wchar_t*>(name.c_str())) == 0) {
                    dependents.emplace_back();
                    dependents.back().serviceName = NarrowText(candidate.c_str());
                    dependents.back().serviceNameW.assign(candidate.begin(), candidate.end());
                }
            }
        }
        return 0;
    }

private:
    // A session on a service that active services depend on: its stop is refused.
    struct Refusing : ServiceSession {
        explicit Refusing(std::unique_ptr<ServiceSession> wine) : wine(std::move(wine)) {}
        uint32_t QueryStatus(ServiceStatusFields& status) override {
            return wine->QueryStatus(status);
        }
        uint32_t Start() override { return wine->Start(); }
        uint32_t Stop() override { return ERROR_DEPENDENT_SERVICES_RUNNING; }
        uint32_t ChangeStartType(uint32_t type) override { return wine->ChangeStartType(type); }
        std::unique_ptr<ServiceSession> wine;
    };
    std::vector<std::wstring> services_;
};

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

// Gives a service its start type back when the test ends, whichever way it ends: a test that
// disables Spooler must not leave it disabled for the tests after it.
class StartTypeGuard {
public:
    StartTypeGuard(ServiceManagerApi& services, std::u16string name, uint32_t startType)
        : services_(services), name_(std::move(name)), startType_(startType) {}
    ~StartTypeGuard() { ChangeServiceStartType(services_, name_, startType_); }
    StartTypeGuard(const StartTypeGuard&) = delete;
    StartTypeGuard& operator=(const StartTypeGuard&) = delete;

private:
    ServiceManagerApi& services_;
    std::u16string name_;
    uint32_t startType_;
};

void SelectStartType(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

class LiveTest : public ::testing::Test {
protected:
    // The command on the service's row, every question answered Yes and the properties dialog (if
    // it opens) set to the start type index; the texts of the other message boxes. With pump
    // false, what the command left queued stays queued.
    std::vector<std::string> Command(const char* service, UINT command, int startType = -1,
                                     bool pump = true) {
        std::vector<std::string> boxes;
        ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT type) {
            if (type != static_cast<UINT>(MB_YESNO | MB_ICONQUESTION))
                boxes.push_back(text);
            return IDYES;
        });
        ModalDriver dialog({{kPropertyCaption, [&](HWND d) {
                                 shownStartType = static_cast<int>(
                                     SendDlgItemMessageA(d, IDC_START_TYPE, CB_GETCURSEL, 0, 0));
                                 SelectStartType(d, startType);
                                 PressButton(d, IDC_PROPERTY_OK);
                             }}});
        EXPECT_GE(frame.SelectService(service), 0) << service;
        if (pump)
            frame.Command(command);
        else
            SendMessageA(frame.FrameWindow(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return boxes;
    }
    std::string Status(const char* service) {
        return frame.Cell(frame.RowOf(service), CWinSvrView::kColStatus);
    }
    int shownStartType = -2;
    Win32System system;
    RunningFrame frame{system};
};

TEST_F(LiveTest, ConfirmedStartAndStopReallyStartAndStopSpooler) {
    ASSERT_TRUE(ScReaches("Spooler", kStateStopped));
    int row = frame.SelectService("Spooler");
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
    row = frame.SelectService("Spooler");
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
    int row = frame.SelectService("LanmanServer");
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
    EXPECT_EQ(owner, frame.FrameWindow());
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
    ScState sc;
    ASSERT_TRUE(ScQuery("LanmanServer", sc));
    EXPECT_EQ(sc.state, kStateStopped);
}

TEST_F(LiveTest, PropertiesShowTheRecordAndAConfirmedChangeLandsInTheRegistry) {
    ASSERT_EQ(RegStart(kSpoolerKey), "0x3");
    StartTypeGuard restore(system, u"Spooler", 3);
    ASSERT_GE(frame.SelectService("Spooler"), 0);
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
    // start of the service just disabled is refused. Boot start for a Win32 service is refused as
    // Windows refuses it, and nothing is written.
    ModalDriver yes({{kPropertyCaption,
                      [](HWND dialog) {
                          SelectStartType(dialog, 4);
                          PressKey(GetDlgItem(dialog, IDC_START_TYPE), VK_RETURN);
                      }},
                     {kAppCaption, [](HWND box) { PressButton(box, IDYES); }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(yes.Done());
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");
    EXPECT_EQ(Command("Spooler", ID_SERVICE_START),
              std::vector<std::string>{SystemErrorText(ERROR_SERVICE_DISABLED)});
    EXPECT_EQ(Command("Spooler", ID_SERVICE_PROPERTY, 0),
              std::vector<std::string>{SystemErrorText(ERROR_INVALID_PARAMETER)});
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");
    EXPECT_EQ(ChangeServiceStartType(system, u"Spooler", 3), 0u);
    EXPECT_EQ(RegStart(kSpoolerKey), "0x3");
}

// The start-type change set back with Ctrl+Z lands in Wine's registry, and its manager uses it.
TEST_F(LiveTest, UndoSetsSpoolersStartTypeBackThroughTheManager) {
    ASSERT_EQ(RegStart(kSpoolerKey), "0x3");
    StartTypeGuard restore(system, u"Spooler", 3);
    EXPECT_TRUE(Command("Spooler", ID_SERVICE_PROPERTY, 4).empty());
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");
    EXPECT_TRUE(Command("Spooler", ID_EDIT_UNDO).empty());
    EXPECT_EQ(RegStart(kSpoolerKey), "0x3");
    EXPECT_TRUE(Command("Spooler", ID_SERVICE_START).empty());  // the manager took it: not disabled
    EXPECT_TRUE(ScReaches("Spooler", kStateRunning));
    EXPECT_TRUE(Command("Spooler", ID_SERVICE_STOP).empty());
}

// The test service in each of its behaviours, and services awkward for a program in an 8-bit code
// page or carrying values of the wrong type (written behind the running manager's back).
class LiveServices : public LiveTest {
protected:
    static void SetUpTestSuite() {
        for (const auto& service : kServices)
            RegisterTestService(service.first, service.second);
        ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
        ScHandle lone(OpenServiceW(manager.Get(), kLone.c_str(), SERVICE_CHANGE_CONFIG));
        SERVICE_DESCRIPTIONW description = {const_cast<wchar_t*>(L"孤立代理项的服务")};
        ChangeServiceConfig2W(lone.Get(), SERVICE_CONFIG_DESCRIPTION, &description);
        const std::string key =
            "add HKLM\\" + std::string(kServicesKey) + "\\OrvaneTestHostile /f /v ";
        Reg(key + "Start /t REG_SZ /d 2");
        Reg(key + "Description /t REG_DWORD /d 4407873");  // "ABC" as bytes
        Reg(key + "Group /t REG_BINARY /d 4e6574");
    }
    static void TearDownTestSuite() {
        for (const auto& service : kServices)
            RemoveTestService(service.first);
    }

    static const std::wstring kLone;
    static const std::vector<std::pair<std::wstring, std::string>> kServices;
};

const std::wstring LiveServices::kLone = std::wstring(L"OrvaneLone") + wchar_t(0xD800) + L"Svc";
const std::vector<std::pair<std::wstring, std::string>> LiveServices::kServices = {
    {L"OrvaneTestRun", "run"},
    {L"OrvaneTestFailWin32", "fail-win32 2"},
    {L"OrvaneTestFailSpecific", "fail-specific 42"},
    {L"OrvaneTestSlow", "slow 3000"},
    {L"OrvaneTestIgnoreStop", "ignore-stop"},
    {L"OrvaneTestHostile", "run"},
    {L"OrvaneThrowaway", "run"},
    {kLone, "run"},
};

TEST_F(LiveServices, StartAndStopShowTheStateReachedOrWhyNot) {
    frame.SetCell(frame.RowOf("OrvaneTestRun"), CWinSvrView::kColStatus, "x");
    EXPECT_TRUE(Command("OrvaneTestRun", ID_SERVICE_START).empty());
    EXPECT_TRUE(Reaches(L"OrvaneTestRun", SERVICE_RUNNING));
    EXPECT_EQ(Status("OrvaneTestRun"), "已启动");
    EXPECT_TRUE(Command("OrvaneTestRun", ID_SERVICE_STOP).empty());
    EXPECT_EQ(ServiceState(L"OrvaneTestRun"), static_cast<DWORD>(SERVICE_STOPPED));  // no wait
    EXPECT_EQ(Status("OrvaneTestRun"), "");

    // Starts that end stopped, with the system's text for the exit code.
    frame.SetCell(frame.RowOf("OrvaneTestFailWin32"), CWinSvrView::kColStatus, "x");
    EXPECT_EQ(Command("OrvaneTestFailWin32", ID_SERVICE_START),
              std::vector<std::string>{SystemErrorText(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(Status("OrvaneTestFailWin32"), "");
    EXPECT_EQ(Command("OrvaneTestFailSpecific", ID_SERVICE_START),
              std::vector<std::string>{SystemErrorText(ERROR_SERVICE_SPECIFIC_ERROR) +
                                       "\n\n服务特定的错误代码: 42"});

    // A stop that is ignored, reported at the bound (shortened here).
    ASSERT_TRUE(Command("OrvaneTestIgnoreStop", ID_SERVICE_START).empty());
    frame.List().SetFollowBound(3000);
    EXPECT_EQ(Command("OrvaneTestIgnoreStop", ID_SERVICE_STOP),
              std::vector<std::string>{SystemErrorText(ERROR_SERVICE_REQUEST_TIMEOUT)});
    EXPECT_EQ(Status("OrvaneTestIgnoreStop"), "已启动");
}

// While the command follows a slow start the window works: it repaints and shows the wait cursor,
// its service commands are disabled and refused however they arrive, and a close waits until the
// command has ended.
TEST_F(LiveServices, WindowStaysResponsiveWhileAStartIsFollowed) {
    HWND list = frame.ListControl();
    std::vector<bool> enabled;
    bool repainted = false;
    bool waitCursor = false;
    int ticks = 0;
    TimerTask during(200, [&] {
        if (++ticks == 2) {
            for (UINT id : {ID_SERVICE_START, ID_SERVICE_STOP, ID_SERVICE_PROPERTY, ID_REFRESH})
                enabled.push_back(SendMessageA(frame.Frame().ToolBar(), TB_ISBUTTONENABLED, id, 0));
            enabled.push_back(frame.Frame().IsCommandEnabled(ID_SERVICE_GROUP));
            SendMessageA(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list), HTCLIENT);
            waitCursor = GetCursor() == LoadCursor(nullptr, IDC_WAIT);
            InvalidateRect(list, nullptr, TRUE);
            for (UINT id : {ID_SERVICE_STOP, ID_REFRESH})
                PostMessageA(frame.FrameWindow(), WM_COMMAND, id, 0);
            PostMessageA(frame.FrameWindow(), WM_CLOSE, 0, 0);
        }
        repainted = ticks > 2 && !GetUpdateRect(list, nullptr, FALSE);
        return ticks < 4;
    });
    frame.SetCell(frame.RowOf("OrvaneTestRun"), CWinSvrView::kColGroup, "mark");  // no refresh
    const auto began = GetTickCount64();
    EXPECT_TRUE(Command("OrvaneTestSlow", ID_SERVICE_START, -1, false).empty());
    EXPECT_GE(GetTickCount64() - began, 2500u);
    // The groups dialog too: its own message loop would hold the following up.
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, false, false, false}));
    EXPECT_TRUE(waitCursor);
    EXPECT_TRUE(repainted);
    EXPECT_EQ(Status("OrvaneTestSlow"), "已启动");
    EXPECT_TRUE(Reaches(L"OrvaneTestSlow", SERVICE_RUNNING));  // the stop was refused
    EXPECT_EQ(frame.Cell(frame.RowOf("OrvaneTestRun"), CWinSvrView::kColGroup), "mark");
    EXPECT_TRUE(IsWindow(frame.FrameWindow()));
    Pump();  // the close comes once the command has ended
    EXPECT_FALSE(IsWindow(frame.FrameWindow()));
}

TEST_F(LiveServices, ServiceDeletedWhileItsPropertiesAreOpenIsNotCreatedAgain) {
    SERVICE_ITEM record = *frame.List().ServiceList().Find("OrvaneThrowaway");
    RemoveTestService(L"OrvaneThrowaway");
    std::vector<std::string> boxes;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT) {
        boxes.push_back(text);
        return IDYES;
    });
    ModalDriver driver({{kPropertyCaption, [](HWND dialog) {
                             SelectStartType(dialog, 2);
                             PressButton(dialog, IDC_PROPERTY_OK);
                         }}});
    CServicePropertyDlg dialog(system);
    dialog.SetRecord(record);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1], SystemErrorText(ERROR_SERVICE_DOES_NOT_EXIST));
    RegKeys keys;
    EXPECT_FALSE(RegQueryTree(std::string(kServicesKey) + "\\OrvaneThrowaway", keys));
}

// A lone surrogate in the name: listed, read, started, stopped and changed by the manager's own
// name, though its text shows a replacement character.
TEST_F(LiveServices, NameWithALoneSurrogateIsListedReadAndControlled) {
    const char* name = "OrvaneLone\xEF\xBF\xBDSvc";
    const int row = frame.RowOf(name);
    ASSERT_GE(row, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColDescription), "孤立代理项的服务");
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStartType), "手动");
    EXPECT_TRUE(Command(name, ID_SERVICE_START).empty());
    EXPECT_TRUE(Reaches(kLone, SERVICE_RUNNING));
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "已启动");
    EXPECT_TRUE(Command(name, ID_SERVICE_STOP).empty());
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStatus), "");
    EXPECT_TRUE(Command(name, ID_SERVICE_PROPERTY, 4).empty());
    frame.Command(ID_REFRESH);  // read again from its own key
    EXPECT_EQ(frame.Cell(frame.RowOf(name), CWinSvrView::kColStartType), "已禁用");
}

// Values of the wrong type count as missing: the start type is unknown (no text, no category, no
// selection, nothing written unless one is picked), the texts fall back.
TEST_F(LiveServices, ValuesOfTheWrongTypeCountAsMissing) {
    const char* name = "OrvaneTestHostile";
    const int row = frame.RowOf(name);
    ASSERT_GE(row, 0);
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColStartType), "");
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColDescription), name);  // the display name
    EXPECT_EQ(frame.Cell(row, CWinSvrView::kColGroup), "");
    for (int32_t start = 0; start <= 4; ++start) {
        frame.Frame().SetCategory(kKindWin32, 1, start);
        EXPECT_EQ(frame.RowOf(name), -1) << start;
    }
    frame.Frame().SetCategory(kKindWin32, -1, -1);
    const std::string key = std::string(kServicesKey) + "\\" + name;
    RegKeys keys;
    EXPECT_TRUE(Command(name, ID_SERVICE_PROPERTY, -1).empty());
    EXPECT_EQ(shownStartType, -1);
    ASSERT_TRUE(RegQueryTree(key, keys));
    EXPECT_EQ(keys[key]["Start"].type, "REG_SZ");
    EXPECT_TRUE(Command(name, ID_SERVICE_PROPERTY, 3).empty());
    EXPECT_EQ(RegStart(key), "0x3");
}

// Stopping a service that a running service depends on, both test services really running under
// Wine's manager, which lists no dependents; over one that refuses and lists as Windows does, the
// dependent is named and, on Yes, really stopped first.
TEST(LiveDependents, StopOfAServiceARunningServiceDependsOnStopsTheDependentFirst) {
    const std::vector<std::wstring> names = {L"OrvaneTestBase", L"OrvaneTestDependent"};
    struct Removal {
        const std::vector<std::wstring>& names;
        ~Removal() {
            for (auto name = names.rbegin(); name != names.rend(); ++name)
                RemoveTestService(*name);
        }
    } removal{names};
    ASSERT_TRUE(RegisterTestService(names[0], "run"));
    ASSERT_TRUE(RegisterTestService(names[1], "run", L"OrvaneTestBase\0"));
    DependentsAsOnWindows system(names);
    for (const std::wstring& name : names) {
        std::unique_ptr<ServiceSession> session;
        ASSERT_EQ(system.Win32System::OpenServiceSession(std::u16string(name.begin(), name.end()),
                                                         kStartAccess, session),
                  0u);
        session->Start();
        EXPECT_TRUE(Reaches(name, SERVICE_RUNNING));
    }
    std::vector<ServiceEntry> listed;
    EXPECT_EQ(system.Win32System::EnumerateActiveDependents(u"OrvaneTestBase", listed), 0u);
    for (const ServiceEntry& entry : listed)  // none under Wine
        EXPECT_EQ(entry.serviceName, "OrvaneTestDependent");
    RunningFrame frame(system);
    std::vector<std::string> texts;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT) {
        texts.push_back(text);
        return IDYES;
    });
    ASSERT_GE(frame.SelectService("OrvaneTestBase"), 0);
    frame.Command(ID_SERVICE_STOP);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find("\n\nOrvaneTestDependent\n\n"), std::string::npos);
    for (const std::wstring& name : names)
        EXPECT_EQ(ServiceState(name), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(frame.Cell(frame.RowOf("OrvaneTestDependent"), CWinSvrView::kColStatus), "");
}

}  // namespace

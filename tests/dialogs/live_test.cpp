// The commands and the properties dialog against Wine's own service manager and registry: a
// confirmed start really starts Spooler (sc.exe sees it), a refused start explains itself, and a
// confirmed start-type change lands in the registry (reg.exe sees it).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/service_property_dlg.h"
#include "tests/support/running_frame.h"
#include "tests/support/live_system.h"
#include "modal_driver.h"
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

void SelectStartType(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

class LiveTest : public ::testing::Test {
protected:
    Win32System system;
    RunningFrame frame{system, system};
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

    ModalDriver yes({{kPropertyCaption,
                      [](HWND dialog) {
                          SelectStartType(dialog, 4);
                          PressButton(dialog, IDC_PROPERTY_OK);
                      }},
                     {kAppCaption, [](HWND box) { PressButton(box, IDYES); }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(yes.Done());
    EXPECT_EQ(RegStart(kSpoolerKey), "0x4");
    Reg("add HKLM\\SYSTEM\\CurrentControlSet\\Services\\Spooler /v Start /t REG_DWORD /d 3 /f");
    EXPECT_EQ(RegStart(kSpoolerKey), "0x3");
}

TEST(LiveProperties, KeyDeletedWhileOpenShowsTheReasonAndIsNotCreatedAgain) {
    const std::string key = std::string("HKLM\\") + kThrowawayKey;
    ASSERT_EQ(Reg("add " + key + " /v Start /t REG_DWORD /d 3 /f"), 0);
    ASSERT_EQ(RegStart(kThrowawayKey), "0x3");
    SERVICE_ITEM record;
    record.lpServiceName = "OrvaneThrowaway";
    record.Start = 3;
    Win32System system;
    CServicePropertyDlg dialog(system);
    dialog.SetRecord(record);
    std::string reason;
    ModalDriver driver({{kPropertyCaption,
                         [&](HWND dialog) {
                             Reg("delete " + key + " /f");
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
    EXPECT_EQ(reason, SystemErrorText(ERROR_FILE_NOT_FOUND));
    RegKeys keys;
    EXPECT_FALSE(RegQueryTree(kThrowawayKey, keys));
    Reg("delete " + key + " /f");
}

}  // namespace

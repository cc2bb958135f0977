// The service properties dialog over the fake service manager and registry: what it shows, which of
// its ways out change the start type, and what the manager's refusals do.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

#include "catalogue/service_control.h"
#include "dialogs/service_property_dlg.h"
#include "tests/support/running_frame.h"
#include "tests/support/modal_driver.h"
#include "platform/fake/fake_system.h"
#include "platform/utf16.h"
#include "res/resource.h"
#include "window/message_box.h"

namespace {

const char kKey[] = "SYSTEM\\CurrentControlSet\\Services\\Alpha";

uint32_t StartValue(FakeSystem& fake, const char* key = kKey) {
    RegistryValue value;
    uint32_t start = 0xFFFF;
    if (fake.ReadValue(key, "Start", value) && value.data.size() == sizeof start)
        std::memcpy(&start, value.data.data(), sizeof start);
    return start;
}

int ComboSelection(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_GETCURSEL, 0, 0));
}

void SelectStartType(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

SERVICE_ITEM Record(const char* name, uint32_t start, uint32_t state) {
    SERVICE_ITEM item;
    item.lpServiceName = name;
    item.lpServiceNameW = Utf8ToUtf16(name);
    item.lpDisplayName = std::string(name) + " 显示";
    item.Start = start;
    item.ServiceStatus.dwCurrentState = state;
    CopyText(item.Description, sizeof item.Description, "说明 of the service");
    CopyText(item.ImagePath, sizeof item.ImagePath, "C:\\WINDOWS\\system32\\svchost.exe");
    CopyText(item.ServiceDll, sizeof item.ServiceDll, "C:\\WINDOWS\\system32\\alpha.dll");
    item.ServiceKind = kKindWin32;
    return item;
}

// Runs the dialog on a copy of the record with the given steps.
INT_PTR RunDialog(FakeSystem& fake, const SERVICE_ITEM& record, std::vector<ModalStep> steps,
                  bool* done) {
    CServicePropertyDlg dialog(fake);
    dialog.SetRecord(record);
    ModalDriver driver(std::move(steps));
    INT_PTR result = dialog.DoModal();
    *done = driver.Done();
    return result;
}

class PropertyDialogTest : public ::testing::Test {
protected:
    PropertyDialogTest() { fake.AddService(kServiceTypeWin32, "Alpha", "C:\\a.exe", 3); }
    FakeSystem fake;
};

TEST_F(PropertyDialogTest, ShowsTheRecordAndOffersTheFiveStartTypes) {
    std::vector<std::string> fields;
    int selection = -2;
    std::vector<std::string> items;
    bool done = false;
    RunDialog(fake, Record("Alpha", 3, kStateRunning),
              {{kPropertyCaption,
                [&](HWND dialog) {
                    for (int id : {IDC_SERVICE_NAME, IDC_DISPLAY_NAME, IDC_DESCRIPTION,
                                   IDC_IMAGE_PATH, IDC_SERVICE_DLL, IDC_SERVICE_STATUS}) {
                        fields.push_back(WindowText(GetDlgItem(dialog, id)));
                    }
                    selection = ComboSelection(dialog);
                    HWND combo = GetDlgItem(dialog, IDC_START_TYPE);
                    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
                    for (int i = 0; i < count; ++i) {
                        char text[256] = {};
                        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                        items.push_back(text);
                    }
                    PressButton(dialog, IDCANCEL);
                }}},
              &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(fields, (std::vector<std::string>{"Alpha", "Alpha 显示", "说明 of the service",
                                                "C:\\WINDOWS\\system32\\svchost.exe",
                                                "C:\\WINDOWS\\system32\\alpha.dll", "已启动"}));
    EXPECT_EQ(selection, 3);
    EXPECT_EQ(items, (std::vector<std::string>{"引导加载(Boot Start)", "系统加载(System Start)",
                                               "自动加载(Auto Start)", "手工加载(Demand Start)",
                                               "已禁用(Disabled)"}));
}

TEST_F(PropertyDialogTest, StatusTextFollowsTheRunStateClass) {
    const std::pair<uint32_t, const char*> cases[] = {
        {kStateStopped, "已停止"}, {kStateStopPending, "已停止"},  {kStatePausePending, "暂停"},
        {kStatePaused, "暂停"},    {kStateStartPending, "已启动"}, {0, "已启动"},
    };
    for (const auto& [state, expected] : cases) {
        std::string status;
        bool done = false;
        RunDialog(fake, Record("Alpha", 3, state),
                  {{kPropertyCaption,
                    [&](HWND dialog) {
                        status = WindowText(GetDlgItem(dialog, IDC_SERVICE_STATUS));
                        PressKey(GetDlgItem(dialog, IDC_START_TYPE), VK_ESCAPE);
                    }}},
                  &done);
        EXPECT_TRUE(done);
        EXPECT_EQ(status, expected) << state;
    }
}

TEST_F(PropertyDialogTest, ConfirmedOkWritesTheChosenStartType) {
    std::string question;
    bool done = false;
    INT_PTR result = RunDialog(fake, Record("Alpha", 3, kStateStopped),
                               {{kPropertyCaption,
                                 [](HWND dialog) {
                                     SelectStartType(dialog, 4);
                                     PressButton(dialog, IDC_PROPERTY_OK);
                                 }},
                                {kAppCaption,
                                 [&](HWND box) {
                                     question = MessageBoxText(box);
                                     PressButton(box, IDYES);
                                 }}},
                               &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(question,
              "如果您不具备专业电脑知识,\n或者不清楚停止服务会带来哪些负面影响,\n请三思而后行。"
              "\n\n您真的要改变服务“Alpha”的启动类型吗?");
    EXPECT_EQ(StartValue(fake), 4u);
}

TEST_F(PropertyDialogTest, NoCancelEscapeAndUnchangedEnterWriteNothing) {
    auto change = [](HWND dialog) { SelectStartType(dialog, 2); };
    const std::vector<std::vector<ModalStep>> ways = {
        {{kPropertyCaption,
          [&](HWND d) {
              change(d);
              PressButton(d, IDC_PROPERTY_OK);
          }},
         {kAppCaption, [](HWND box) { PressButton(box, IDNO); }}},
        {{kPropertyCaption,
          [&](HWND d) {
              change(d);
              PressButton(d, IDCANCEL);
          }}},
        {{kPropertyCaption,
          [&](HWND d) {
              change(d);
              PressKey(GetDlgItem(d, IDC_START_TYPE), VK_ESCAPE);
          }}},
        {{kPropertyCaption,
          [&](HWND d) {
              change(d);
              PressKey(GetDlgItem(d, IDC_START_TYPE), VK_RETURN);
          }},
         {kAppCaption, [](HWND box) { PressButton(box, IDNO); }}},
        // Unchanged, Enter closes as the plain OK does, without asking.
        {{kPropertyCaption, [&](HWND d) { PressKey(GetDlgItem(d, IDC_START_TYPE), VK_RETURN); }}},
    };
    const INT_PTR expected[] = {IDOK, IDCANCEL, IDCANCEL, IDOK, IDOK};
    for (size_t way = 0; way < ways.size(); ++way) {
        bool done = false;
        // An unexpected box would stay unanswered and fail the steps.
        INT_PTR result = RunDialog(fake, Record("Alpha", 3, kStateStopped), ways[way], &done);
        EXPECT_TRUE(done) << way;
        EXPECT_EQ(result, expected[way]) << way;
        EXPECT_EQ(StartValue(fake), 3u) << way;
    }
}

// Runs the dialog on the record, picks the start type (-1: none) and presses the OK button, every
// question answered Yes; the texts of the message boxes shown, the question first.
std::vector<std::string> PickAndConfirm(FakeSystem& fake, const SERVICE_ITEM& record, int index,
                                        int* shown = nullptr) {
    std::vector<std::string> boxes;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT) {
        boxes.push_back(text);
        return IDYES;
    });
    bool done = false;
    RunDialog(fake, record,
              {{kPropertyCaption,
                [&](HWND dialog) {
                    if (shown)
                        *shown = ComboSelection(dialog);
                    SelectStartType(dialog, index);
                    PressButton(dialog, IDC_PROPERTY_OK);
                }}},
              &done);
    EXPECT_TRUE(done);
    return boxes;
}

// A start type of 5, or one that could not be read at all: no selection, and nothing is written
// unless the user picks one.
TEST_F(PropertyDialogTest, StartTypeOutsideTheListShowsNoSelectionAndWritesNothing) {
    fake.SetDword(kKey, "Start", 5);
    for (uint32_t start : {5u, kStartUnknown}) {
        int shown = 0;
        EXPECT_EQ(PickAndConfirm(fake, Record("Alpha", start, kStateStopped), -1, &shown).size(),
                  1u);
        EXPECT_EQ(shown, -1);
        EXPECT_EQ(StartValue(fake), 5u);
    }
    EXPECT_EQ(fake.Service("Alpha")->changeRequests, 0);
}

// What the manager refuses is shown with its reason, and nothing is written. Boot and system start
// for a Win32 service are refused before the manager is asked.
TEST_F(PropertyDialogTest, RefusalsShowTheirReasonAndWriteNothing) {
    fake.Service("Alpha")->changeError = kErrorAccessDenied;
    const std::pair<int, uint32_t> cases[] = {
        {0, kErrorInvalidParameter}, {1, kErrorInvalidParameter}, {4, kErrorAccessDenied}};
    for (const auto& [index, error] : cases) {
        EXPECT_EQ(PickAndConfirm(fake, Record("Alpha", 3, kStateStopped), index).back(),
                  SystemErrorText(error));
        EXPECT_EQ(StartValue(fake), 3u);
    }
    EXPECT_EQ(fake.Service("Alpha")->changeRequests, 1);
}

// A per-user instance takes its start type from its template at each sign-in: a change is refused,
// naming the template, before anything is asked; the template itself changes as any service.
TEST_F(PropertyDialogTest, APerUserInstanceRefusesAStartTypeChangeNamingItsTemplate) {
    const char* instanceKey = "SYSTEM\\CurrentControlSet\\Services\\Alpha_4a5b3";
    fake.AddService(kServiceTypeWin32, "Alpha_4a5b3", "C:\\a.exe", 3);
    SERVICE_ITEM instance = Record("Alpha_4a5b3", 3, kStateRunning);
    instance.ServiceStatus.dwServiceType = 0xE0;  // a user service's instance, sharing a process
    EXPECT_EQ(PickAndConfirm(fake, instance, 4),
              std::vector<std::string>{
                  "“Alpha_4a5b3”是每用户服务“Alpha”为一个登录用户创建的实例。实例的启动类型在该"
                  "用户下次登录时会恢复为模板的启动类型，所以这里不改变它。\n要改变它，请改变模板"
                  "“Alpha”的启动类型。"});
    EXPECT_EQ(StartValue(fake, instanceKey), 3u);
    EXPECT_EQ(fake.Service("Alpha_4a5b3")->changeRequests, 0);
    EXPECT_TRUE(PickAndConfirm(fake, instance, 3).empty());  // unchanged: nothing to refuse

    SERVICE_ITEM templateRecord = Record("Alpha", 3, kStateStopped);
    templateRecord.ServiceStatus.dwServiceType = 0x60;
    EXPECT_EQ(PickAndConfirm(fake, templateRecord, 4).size(), 1u);  // the confirmation alone
    EXPECT_EQ(StartValue(fake), 4u);
}

TEST_F(PropertyDialogTest, ServiceDeletedWhileOpenShowsTheReasonAndCreatesNoKey) {
    std::vector<std::pair<std::string, UINT>> boxes;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT type) {
        boxes.emplace_back(text, type);
        return IDYES;
    });
    bool done = false;
    INT_PTR result = RunDialog(fake, Record("Alpha", 3, kStateStopped),
                               {{kPropertyCaption,
                                 [&](HWND dialog) {
                                     fake.DeleteService("Alpha");
                                     SelectStartType(dialog, 2);
                                     PressButton(dialog, IDC_PROPERTY_OK);
                                 }}},
                               &done);
    EXPECT_TRUE(done);
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].first, SystemErrorText(kErrorServiceDoesNotExist));
    EXPECT_EQ(boxes[1].second, static_cast<UINT>(MB_OK | MB_ICONHAND));
    RegistryValue value;
    EXPECT_FALSE(fake.ReadValue(kKey, "Start", value));
    std::vector<RegistryValue> values;
    EXPECT_FALSE(fake.EnumerateValues(kKey, values));
}

TEST_F(PropertyDialogTest, OpenedFromTheListOnACopyOwnedByTheDisabledFrame) {
    RunningFrame frame(fake);
    ASSERT_TRUE(frame.Started());
    frame.SelectRow(frame.RowOf("Alpha"));
    HWND owner = nullptr;
    HWND propertyDialog = nullptr;
    HWND boxOwner = nullptr;
    bool frameEnabled = true;
    ModalDriver driver({{kPropertyCaption,
                         [&](HWND dialog) {
                             propertyDialog = dialog;
                             owner = OwnerOf(dialog);
                             frameEnabled = IsWindowEnabled(frame.FrameWindow()) != FALSE;
                             // A refresh meanwhile must not touch the dialog's copy.
                             frame.Command(ID_REFRESH);
                             SelectStartType(dialog, 2);
                             PressButton(dialog, IDC_PROPERTY_OK);
                         }},
                        {kAppCaption, [&](HWND box) {
                             boxOwner = OwnerOf(box);
                             PressButton(box, IDYES);
                         }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(owner, frame.FrameWindow());
    EXPECT_FALSE(frameEnabled);
    // The confirmation belongs to the dialog that asks, so the dialog waits for it too.
    EXPECT_EQ(boxOwner, propertyDialog);
    EXPECT_TRUE(IsWindowEnabled(frame.FrameWindow()));
    EXPECT_EQ(StartValue(fake), 2u);
    // The list keeps the old start type until a refresh.
    EXPECT_EQ(frame.Cell(frame.RowOf("Alpha"), CWinSvrView::kColStartType), "手动");
}

}  // namespace

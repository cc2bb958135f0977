// Saved inventories, the clipboard and the pane keys, driven through the real frame under Wine. The
// Save and Open dialogs are the system's, answered from a timer; a saved file is read back and
// compared with the catalogue field for field; the clipboard is read back by a second process.
// Files made to cost much (crafted names, too many records) and a load short of memory are reported
// or cost what ordinary ones do.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/clipboard.h"
#include "app/export.h"
#include "app/inventory_io.h"
#include "tests/support/inventory_files.h"
#include "tests/support/live_system.h"
#include "tests/support/modal_driver.h"
#include "tests/support/running_frame.h"
#include "platform/fake/fake_system.h"
#include "platform/utf16.h"
#include "platform/win32/file_io.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"
#include "views/class_view.h"
#include "views/detail_view.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

const char kSaveCaption[] = "保存服务列表";
const char kOpenCaption[] = "打开服务列表";
const char kSvcHostKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";

// A path in the temporary folder, free at the start and removed at the end.
class TempFile {
public:
    explicit TempFile(const wchar_t* name) {
        wchar_t folder[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + name;
        DeleteFileW(path_.c_str());
    }
    ~TempFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }
    std::string Content() const {
        FileBytes bytes;
        ReadWholeFile(path_, kMaxInventoryBytes, bytes);
        return bytes.data ? std::string(bytes.data.get(), bytes.size) : std::string();
    }

private:
    std::wstring path_;
};

// Every application message box while it lives, answered with OK.
struct Boxes {
    std::vector<std::string> texts;
    ScopedMessageBoxAnswerer answerer{[this](const std::string& text, UINT) {
        texts.push_back(text);
        return IDOK;
    }};
};

BOOL CALLBACK FindFileNameBox(HWND child, LPARAM found) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (GetDlgCtrlID(child) != 0x47c || lstrcmpiA(name, "Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Answers the system's file dialog: reads the proposed name, types path, presses OK.
ModalStep ChooseFile(const char* caption, const std::wstring& path, std::string* proposed) {
    return {caption, [path, proposed](HWND dialog) {
                HWND edit = nullptr;
                EnumChildWindows(dialog, FindFileNameBox, reinterpret_cast<LPARAM>(&edit));
                if (proposed)
                    *proposed = WindowText(edit);
                SetWindowTextW(edit, path.c_str());
                PressButton(dialog, IDOK);
            }};
}

// The rows of the svchost list in the service groups dialog, run through the frame.
int SvchostRows(RunningFrame& frame) {
    int rows = -1;
    ModalDriver driver({{kGroupCaption, [&](HWND dialog) {
                             rows = ListView_GetItemCount(GetDlgItem(dialog, IDC_SVCHOST_LIST));
                             PressButton(dialog, IDOK);
                         }}});
    frame.Command(ID_SERVICE_GROUP);
    EXPECT_TRUE(driver.Done());
    return rows;
}

// A small saved inventory: one Win32 service and one driver.
void WriteSavedInventory(const std::wstring& path) {
    FakeSystem fake;
    fake.AddService(kServiceTypeWin32, "SavedService", "C:\\saved.exe", 3, kStateRunning);
    fake.AddService(kServiceTypeDriver, "SavedDriver", "C:\\saved.sys", 1, kStateRunning);
    ASSERT_EQ(ReplaceFileContent(path, SavedInventoryOf(fake)), 0u);
}

void ExpectFileHoldsRecord(const InventoryRecord& saved, const SERVICE_ITEM& item) {
    SCOPED_TRACE(item.lpServiceName);
    EXPECT_EQ(saved.Text(kInvServiceName), item.lpServiceName);
    EXPECT_EQ(saved.Text(kInvDisplayName), item.lpDisplayName);
    EXPECT_EQ(static_cast<int32_t>(saved.Number(kInvServiceKind)), item.ServiceKind);
    EXPECT_EQ(saved.Number(kInvServiceType), item.ServiceStatus.dwServiceType);
    EXPECT_EQ(saved.Number(kInvCurrentState), item.ServiceStatus.dwCurrentState);
    // A start type that could not be read (a service without a key) is saved as nothing.
    EXPECT_EQ(saved.Text(kInvStart).empty() ? kStartUnknown : saved.Number(kInvStart), item.Start);
    EXPECT_EQ(saved.Text(kInvDescription), item.Description);
    EXPECT_EQ(saved.Text(kInvImagePath), item.ImagePath);
    EXPECT_EQ(saved.Text(kInvServiceDll), item.ServiceDll);
    EXPECT_EQ(saved.Text(kInvGroup), item.Group);
    EXPECT_EQ(static_cast<int32_t>(saved.Number(kInvSvchostGroup)), item.SvchostGroup);
}

TEST(InventoryLive, SaveDialogWritesTheWholeCatalogueThatReadsBackFieldForField) {
    Win32System system;
    RunningFrame frame(system);
    ASSERT_TRUE(frame.Started());
    frame.Frame().SetCategory(kKindDriver, 1, 3);  // the rows shown are not what is saved
    TempFile file(L"orvane-save-test.csv");
    std::string proposed;
    ModalDriver driver({ChooseFile(kSaveCaption, file.Path(), &proposed)});
    frame.Command(ID_FILE_SAVE);
    EXPECT_TRUE(driver.Done());

    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD length = sizeof computer;
    GetComputerNameA(computer, &length);
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    char expected[64];
    wsprintfA(expected, "%s-services-%04u-%02u-%02u.csv", computer, today.wYear, today.wMonth,
              today.wDay);
    EXPECT_EQ(proposed, expected);

    const std::string content = file.Content();
    std::vector<InventoryRecord> records;
    InventoryError error;
    ASSERT_TRUE(ParseInventoryCsv(content.data(), content.size(), records, error)) << error.line;
    const CServiceList& catalogue = frame.List().ServiceList();
    ASSERT_EQ(records.size(), catalogue.GetCount());
    int kinds[2] = {};
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = catalogue.GetFirst(cursor, item); more;
         more = catalogue.GetNext(cursor, item)) {
        ExpectFileHoldsRecord(records[static_cast<size_t>(cursor)], *item);
        ++kinds[item->ServiceKind == kKindWin32 ? 0 : 1];
    }
    EXPECT_GT(kinds[0], 0);
    EXPECT_GT(kinds[1], 0);
}

TEST(InventoryLive, OpenShowsTheSavedInventoryReadOnlyAndNewReturnsToTheLiveSystem) {
    TempFile file(L"orvane-open-test.csv");
    WriteSavedInventory(file.Path());
    Win32System system;
    RunningFrame frame(system);
    ASSERT_TRUE(frame.Started());
    const int liveSvchostRows = SvchostRows(frame);
    ModalDriver open({ChooseFile(kOpenCaption, file.Path(), nullptr)});
    frame.Command(ID_FILE_OPEN);
    EXPECT_TRUE(open.Done());

    EXPECT_EQ(WindowText(frame.FrameWindow()),
              std::string(kAppCaption) + " - orvane-open-test.csv");
    EXPECT_EQ(frame.RowOf("Spooler"), -1);
    const int row = frame.RowOf("SavedService");
    ASSERT_EQ(row, 0);
    EXPECT_FALSE(frame.Frame().IsCommandEnabled(ID_SERVICE_START));
    EXPECT_FALSE(frame.Frame().IsCommandEnabled(ID_SERVICE_STOP));
    EXPECT_EQ(SvchostRows(frame), liveSvchostRows);  // the groups still come from the registry
    EXPECT_GT(liveSvchostRows, 0);

    frame.SelectRow(row);
    std::string shownName;
    Boxes boxes;
    ModalDriver properties({{kPropertyCaption, [&](HWND dialog) {
                                 shownName = WindowText(GetDlgItem(dialog, IDC_SERVICE_NAME));
                                 SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, 4, 0);
                                 PressButton(dialog, IDC_PROPERTY_OK);
                             }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(properties.Done());
    EXPECT_EQ(shownName, "SavedService");
    EXPECT_EQ(boxes.texts, std::vector<std::string>{LoadResString(IDS_INVENTORY_READ_ONLY)});
    // Enter with another type chosen takes the same way: refused once, and the dialog closes.
    ModalDriver enter({{kPropertyCaption, [](HWND dialog) {
                            SendDlgItemMessageA(dialog, IDC_START_TYPE, CB_SETCURSEL, 2, 0);
                            PressKey(GetDlgItem(dialog, IDC_START_TYPE), VK_RETURN);
                        }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(enter.Done());
    EXPECT_EQ(boxes.texts.size(), 2u);

    frame.Command(ID_FILE_NEW);
    EXPECT_EQ(WindowText(frame.FrameWindow()), kAppCaption);
    EXPECT_GE(frame.RowOf("Spooler"), 0);
    EXPECT_EQ(frame.RowOf("SavedService"), -1);
    EXPECT_TRUE(frame.Frame().IsCommandEnabled(ID_SERVICE_START));
}

class InventoryFake : public ::testing::Test {
protected:
    InventoryFake() {
        fake.AddService(kServiceTypeWin32, "Alpha", "C:\\alpha.exe", 3, kStateStopped);
        fake.SetString(FakeSystem::ServiceKey("Alpha"), "Group", "组一");
        fake.AddService(kServiceTypeDriver, "DrvOne", "C:\\one.sys", 1, kStateRunning);
    }
    FakeSystem fake;
};

TEST_F(InventoryFake, FilesRefusedAtStartOrLaterNameTheirFirstBadLineAndChangeNothing) {
    TempFile good(L"orvane-good.csv");
    WriteSavedInventory(good.Path());
    TempFile bad(L"orvane-bad.csv");
    ASSERT_EQ(ReplaceFileContent(bad.Path(), good.Content() + "X,X,48,16,4,99999999999,,,,,0,2" +
                                                 std::string(9, ',') + "\r\n"),
              0u);
    TempFile missing(L"orvane-missing.csv");
    Boxes boxes;
    theApp.SetStartupFile(missing.Path());
    {
        RunningFrame frame(fake);  // reported once the window shows, which shows the system
        EXPECT_EQ(WindowText(frame.FrameWindow()), kAppCaption);
        EXPECT_GE(frame.RowOf("Alpha"), 0);
    }
    theApp.SetStartupFile(good.Path());
    RunningFrame frame(fake);
    const std::string caption = std::string(kAppCaption) + " - orvane-good.csv";
    EXPECT_EQ(WindowText(frame.FrameWindow()), caption);
    EXPECT_EQ(frame.RowOf("Alpha"), -1);
    EXPECT_FALSE(theApp.OpenInventoryFile(bad.Path()));
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_NE(boxes.texts[0].find(NarrowText(missing.Path())), std::string::npos);
    EXPECT_NE(boxes.texts[0].find(SystemErrorText(ERROR_FILE_NOT_FOUND)), std::string::npos);
    EXPECT_NE(boxes.texts[1].find(NarrowText(bad.Path())), std::string::npos);
    EXPECT_NE(boxes.texts[1].find("第 4 行: " + LoadResString(IDS_INVENTORY_NUMBER)),
              std::string::npos);
    EXPECT_EQ(WindowText(frame.FrameWindow()), caption);
    EXPECT_GE(frame.RowOf("SavedService"), 0);
}

// Processor time of this thread, in seconds.
double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 |
                                   t.dwLowDateTime) /
               1e7;
    };
    return seconds(kernel) + seconds(user);
}

TEST_F(InventoryFake, NamesCraftedToCollideOpenAsFastAsOrdinaryOnesAndTooManyRecordsAreRefused) {
    constexpr std::size_t kCount = 20000;
    TempFile ordinary(L"orvane-ordinary.csv");
    TempFile crafted(L"orvane-crafted.csv");
    TempFile tooMany(L"orvane-too-many.csv");
    ASSERT_EQ(ReplaceFileContent(ordinary.Path(), InventoryFileOf(OrdinaryServiceNames(kCount))),
              0u);
    ASSERT_EQ(ReplaceFileContent(crafted.Path(), InventoryFileOf(CollidingServiceNames(kCount))),
              0u);
    ASSERT_EQ(ReplaceFileContent(tooMany.Path(),
                                 InventoryFileOf(OrdinaryServiceNames(kMaxInventoryRecords + 1))),
              0u);
    RunningFrame frame(fake);
    Boxes boxes;
    double seconds[2] = {};
    for (int i = 0; i < 2; ++i) {
        const double began = ThreadSeconds();
        EXPECT_TRUE(theApp.OpenInventoryFile(i == 0 ? ordinary.Path() : crafted.Path()));
        seconds[i] = ThreadSeconds() - began;
        EXPECT_EQ(frame.RowCount(), static_cast<int>(kCount));
    }
    // Indexed in a hash table, the crafted names took a hundred times as long.
    EXPECT_LT(seconds[1], 3 * seconds[0] + 0.2) << "ordinary " << seconds[0] << " s";

    EXPECT_FALSE(theApp.OpenInventoryFile(tooMany.Path()));
    EXPECT_EQ(
        boxes.texts,
        std::vector<std::string>{FormatResString(
            IDS_INVENTORY_BAD_FILE,
            {NarrowText(tooMany.Path()),
             FormatResString(IDS_INVENTORY_TOO_MANY, std::to_string(kMaxInventoryRecords))})});
    EXPECT_EQ(WindowText(frame.FrameWindow()), std::string(kAppCaption) + " - orvane-crafted.csv");
    EXPECT_EQ(frame.RowCount(), static_cast<int>(kCount));
}

// The fake, but the registry read of one service's values runs out of memory: opening its key
// throws, as a container's allocation does.
class ShortOfMemoryFor : public FakeSystem {
public:
    explicit ShortOfMemoryFor(const std::string& name) : name_(Utf8ToUtf16(name.c_str())) {}
    std::unique_ptr<RegistryKey> OpenKey(const std::u16string& path) override {
        std::unique_ptr<RegistryKey> key = FakeSystem::OpenKey(path);
        if (!key)
            return nullptr;
        return std::unique_ptr<RegistryKey>(new ServicesKey(std::move(key), name_));
    }

private:
    class ServicesKey : public RegistryKey {
    public:
        ServicesKey(std::unique_ptr<RegistryKey> key, const std::u16string& name)
            : key_(std::move(key)), name_(name) {}
        std::unique_ptr<RegistryKey> OpenSubKey(const std::u16string& name) override {
            if (name == name_)
                throw std::bad_alloc();
            return key_->OpenSubKey(name);
        }
        bool GetValue(const char* valueName, RegistryValue& value) override {
            return key_->GetValue(valueName, value);
        }
        bool LoadIndirectString(const char* valueName, std::string& text) override {
            return key_->LoadIndirectString(valueName, text);
        }

    private:
        std::unique_ptr<RegistryKey> key_;
        std::u16string name_;
    };

    std::u16string name_;
};

TEST(InventoryMemory, ALiveLoadShortOfMemoryReportsWhatItLeftOutAtStartAndOnRefresh) {
    ShortOfMemoryFor fake("Beta");
    fake.AddService(kServiceTypeWin32, "Alpha", "C:\\alpha.exe");
    fake.AddService(kServiceTypeWin32, "Beta", "C:\\beta.exe");
    Boxes boxes;
    RunningFrame frame(fake);
    EXPECT_EQ(frame.Names(), std::vector<std::string>{"Alpha"});
    const std::string report = FormatResString(IDS_CATALOGUE_NO_MEMORY, "1");
    EXPECT_EQ(boxes.texts, std::vector<std::string>{report});
    frame.Command(ID_REFRESH);
    EXPECT_EQ(boxes.texts, (std::vector<std::string>{report, report}));
}

// A service manager that cannot be opened at all is said so with the system's reason, not shown as
// an empty list; a pass that fails says the list is incomplete and why. At start and on refresh.
TEST(LoadReport, TheWindowSaysWhenTheManagerCannotBeOpenedOrAPassFailed) {
    FakeSystem fake;
    fake.AddService(kServiceTypeWin32, "Alpha", "C:\\alpha.exe");
    fake.AddService(kServiceTypeDriver, "Drv", "C:\\drv.sys");
    fake.SetManagerRights(kScManagerConnect);  // enumeration not granted: the open is refused
    Boxes boxes;
    RunningFrame frame(fake);
    const std::string unavailable =
        FormatResString(IDS_MANAGER_UNAVAILABLE, SystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(boxes.texts, std::vector<std::string>{unavailable});
    EXPECT_EQ(frame.RowCount(), 0);

    fake.SetManagerRights(kFakeAllManagerRights);
    fake.SetEnumerationFails(kServiceTypeDriver, true);
    boxes.texts.clear();
    frame.Command(ID_REFRESH);
    EXPECT_EQ(frame.Names(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(boxes.texts, std::vector<std::string>{FormatResString(
                               IDS_LIST_INCOMPLETE, {LoadResString(IDS_PASS_DRIVERS),
                                                     SystemErrorText(ERROR_NOT_ENOUGH_MEMORY)})});
    fake.SetEnumerationFails(kServiceTypeDriver, false);
    boxes.texts.clear();
    frame.Command(ID_REFRESH);
    EXPECT_TRUE(boxes.texts.empty());
}

// The export of a load that is not whole writes nothing and exits with the system's code, its
// reason on the standard error stream.
TEST(LoadReport, AnExportOfALoadThatIsNotWholeWritesNothing) {
    TempFile file(L"orvane-export-refused.csv");
    TempFile errors(L"orvane-export-errors.txt");
    FakeSystem fake;
    fake.AddService(kServiceTypeWin32, "Alpha", "C:\\alpha.exe");
    auto exportWithStandardError = [&] {
        FileHandle stream(CreateFileW(errors.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, CREATE_ALWAYS, 0, nullptr));
        const HANDLE caller = GetStdHandle(STD_ERROR_HANDLE);
        SetStdHandle(STD_ERROR_HANDLE, stream.Get());
        const int code = ExportCatalogue(fake, fake, file.Path());
        SetStdHandle(STD_ERROR_HANDLE, caller);
        return code;
    };
    fake.SetManagerFails(true);
    EXPECT_EQ(exportWithStandardError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetFileAttributesW(file.Path().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(
        errors.Content(),
        FormatResString(IDS_MANAGER_UNAVAILABLE, SystemErrorText(ERROR_ACCESS_DENIED)) + "\r\n");
    fake.SetManagerFails(false);
    fake.SetEnumerationFails(kServiceTypeWin32, true, RPC_S_SERVER_UNAVAILABLE);
    EXPECT_EQ(exportWithStandardError(), RPC_S_SERVER_UNAVAILABLE);
    EXPECT_EQ(GetFileAttributesW(file.Path().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(errors.Content().find(LoadResString(IDS_PASS_WIN32)), std::string::npos);
    fake.SetEnumerationFails(kServiceTypeWin32, false);
    EXPECT_EQ(exportWithStandardError(), 0);
    EXPECT_NE(file.Content().find("Alpha"), std::string::npos);
}

TEST_F(InventoryFake, AFileAnotherProgramHoldsOpenForWritingStillOpens) {
    TempFile file(L"orvane-held.csv");
    WriteSavedInventory(file.Path());
    // As a spreadsheet holds the file it shows.
    FileHandle held(CreateFileW(file.Path().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    ASSERT_TRUE(held);
    RunningFrame frame(fake);
    Boxes boxes;
    EXPECT_TRUE(theApp.OpenInventoryFile(file.Path()));
    EXPECT_GE(frame.RowOf("SavedService"), 0);
    EXPECT_TRUE(boxes.texts.empty());
}

// The reason a refused file is reported with.
std::string OpenRefusal(const std::wstring& path) {
    LoadedInventory loaded;
    InventoryOpenFailure failure;
    EXPECT_FALSE(ReadInventoryFile(path, loaded, failure));
    return InventoryOpenFailureText(path, failure);
}

bool Holds(const std::string& text, UINT id) {
    return text.find(LoadResString(id)) != std::string::npos;
}

TEST_F(InventoryFake, AnEmptyFileADeviceNameAndAFileHeldExclusivelyAreRefusedAsSuch) {
    TempFile empty(L"orvane-empty.csv");
    ASSERT_EQ(ReplaceFileContent(empty.Path(), ""), 0u);
    EXPECT_TRUE(Holds(OpenRefusal(empty.Path()), IDS_INVENTORY_EMPTY));

    for (const wchar_t* device : {L"CON", L"nul.csv", L"C:\\windows\\COM1.csv"}) {
        EXPECT_TRUE(Holds(OpenRefusal(device), IDS_FILE_IS_DEVICE)) << NarrowText(device);
        EXPECT_EQ(ReplaceFileContent(device, "x"), kErrorNotAFile) << NarrowText(device);
    }

    TempFile held(L"orvane-exclusive.csv");
    WriteSavedInventory(held.Path());
    FileHandle exclusive(
        CreateFileW(held.Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive);
    EXPECT_TRUE(Holds(OpenRefusal(held.Path()), IDS_FILE_IN_USE));
}

// (A folder in the file's place, a folder that does not exist, a long name: tests/export.)
TEST_F(InventoryFake, ASaveOverAFileAnotherProgramHoldsSaysSoAndLeavesTheFileAsItWas) {
    TempFile existing(L"orvane-locked.csv");
    ASSERT_EQ(ReplaceFileContent(existing.Path(), "before"), 0u);
    RunningFrame frame(fake);
    Boxes boxes;
    // Another program has the file open and does not let it be replaced (the system itself would
    // answer "access denied").
    HANDLE held = CreateFileW(existing.Path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(frame.Frame().SaveInventoryAs(existing.Path()));
    CloseHandle(held);
    EXPECT_EQ(existing.Content(), "before");
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], InventorySaveFailureText(existing.Path(), ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(Holds(boxes.texts[0], IDS_FILE_IN_USE));
}

// The command line of clipboard_reader.exe, built beside this test, with the arguments.
std::string ClipboardReader(const std::string& arguments) {
    return ProgramBesideTest("clipboard_reader.exe") + " " + arguments;
}

// The clipboard's text as another process reads it; empty when it holds none. Our frame owns the
// clipboard, and Wine asks the owner before another process reads.
std::string ClipboardSeenByAnotherProcess() {
    std::string output;
    const int code = RunWhilePumping(ProgramBesideTest("clipboard_reader.exe"), output);
    return code == 0 ? output : std::string();
}

// Copies the selected row while another process holds the clipboard open for holdMs; the
// application message boxes meanwhile.
std::vector<std::string> CopyWhileHeld(RunningFrame& frame, int holdMs) {
    const char kEvent[] = "orvane-clipboard-held";
    KernelHandle held(CreateEventA(nullptr, TRUE, FALSE, kEvent));
    const std::string holder = ClipboardReader("/hold " + std::to_string(holdMs) + " " + kEvent);
    std::thread process([&] {
        std::string output;
        RunCommand(holder, output);
    });
    // Answering messages meanwhile: Wine asks the clipboard's owner, our frame, when it is opened.
    const HANDLE event = held.Get();
    DWORD waited = WAIT_TIMEOUT;
    while ((waited = MsgWaitForMultipleObjects(1, &event, FALSE, 10000, QS_ALLINPUT)) ==
           WAIT_OBJECT_0 + 1)
        Pump();
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    Boxes boxes;
    frame.Command(ID_EDIT_COPY);
    process.join();
    return boxes.texts;
}

TEST_F(InventoryFake, CopyWaitsForAClipboardHeldAMomentAndReportsOneHeldLonger) {
    RunningFrame frame(fake);
    SetFocus(frame.ListControl());
    frame.SelectRow(frame.RowOf("Alpha"));
    EXPECT_TRUE(CopyWhileHeld(frame, 100).empty());
    EXPECT_EQ(ClipboardSeenByAnotherProcess(),
              "Alpha\t\t手动\tAlpha display\tC:\\alpha.exe\t组一\r\n");
    EXPECT_EQ(CopyWhileHeld(frame, 1000).size(), 1u);
}

TEST_F(InventoryFake, CopyPutsTheSelectedRowOrTreeLabelOnTheClipboardAndNothingElse) {
    RunningFrame frame(fake);
    ASSERT_EQ(PutTextOnClipboard(frame.FrameWindow(), L"earlier"), 0u);
    SetFocus(frame.ListControl());
    frame.Command(ID_EDIT_COPY);  // no row selected
    EXPECT_EQ(ClipboardSeenByAnotherProcess(), "earlier");

    frame.SelectRow(frame.RowOf("Alpha"));
    frame.Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardSeenByAnotherProcess(),
              "Alpha\t\t手动\tAlpha display\tC:\\alpha.exe\t组一\r\n");

    SetFocus(frame.Frame().FindClassView()->Handle());
    frame.Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardSeenByAnotherProcess(), "All Win32 Services");
}

TEST_F(InventoryFake, NextAndPreviousPaneMoveTheFocusAround) {
    RunningFrame frame(fake);
    CMainFrame& main = frame.Frame();
    const HWND tree = main.FindClassView()->Handle();
    const HWND list = frame.ListControl();
    const HWND detail = main.FindDetailView()->Handle();
    ASSERT_EQ(GetFocus(), tree);
    for (HWND expected : {list, detail, tree}) {
        frame.Command(ID_NEXT_PANE);
        EXPECT_EQ(GetFocus(), expected);
    }
    for (HWND expected : {detail, list, tree}) {
        frame.Command(ID_PREV_PANE);
        EXPECT_EQ(GetFocus(), expected);
        EXPECT_EQ(main.ActiveView()->Handle(), expected);
    }
}

// Ctrl+Z and Alt+Backspace, pressed for real, set the start type the properties dialog last changed
// back once asked; with nothing to undo they do nothing, a refusal shows its reason, and a saved
// inventory shown refuses them.
TEST_F(InventoryFake, CtrlZSetsTheLastStartTypeChangeBackOnTheLiveSystemOnly) {
    RunningFrame frame(fake);
    std::vector<std::string> texts;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, UINT) {
        texts.push_back(text);
        return IDYES;
    });
    auto press = [&](BYTE modifier, WPARAM key, UINT message) {
        texts.clear();
        BYTE keys[256] = {};
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        PostMessageW(frame.ListControl(), message, key, modifier == VK_MENU ? 1 << 29 : 1);
        Pump();
        SetKeyboardState(std::vector<BYTE>(256).data());
        return texts;
    };
    auto start = [&] {
        RegistryValue value;
        fake.ReadValue(FakeSystem::ServiceKey("Alpha").c_str(), "Start", value);
        return value.data.empty() ? -1 : value.data[0];
    };
    EXPECT_TRUE(press(VK_CONTROL, 'Z', WM_KEYDOWN).empty());
    ASSERT_GE(frame.SelectService("Alpha"), 0);
    ModalDriver properties({{kPropertyCaption, [](HWND dialog) {
                                 SendDlgItemMessageW(dialog, IDC_START_TYPE, CB_SETCURSEL, 4, 0);
                                 PressButton(dialog, IDC_PROPERTY_OK);
                             }}});
    frame.Command(ID_SERVICE_PROPERTY);
    EXPECT_TRUE(properties.Done());
    ASSERT_EQ(start(), 4);

    TempFile saved(L"orvane-undo.csv");
    WriteSavedInventory(saved.Path());
    ASSERT_TRUE(theApp.OpenInventoryFile(saved.Path()));
    EXPECT_EQ(press(VK_CONTROL, 'Z', WM_KEYDOWN),
              std::vector<std::string>{LoadResString(IDS_INVENTORY_READ_ONLY)});
    frame.Command(ID_FILE_NEW);
    const std::string question = "您真的要把服务“Alpha”的启动类型从“已禁用”改回“手动”吗?";
    fake.Service("Alpha")->changeError = kErrorAccessDenied;  // refused: it can be tried again
    EXPECT_EQ(press(VK_CONTROL, 'Z', WM_KEYDOWN),
              (std::vector<std::string>{question, SystemErrorText(kErrorAccessDenied)}));
    fake.Service("Alpha")->changeError = 0;
    EXPECT_EQ(press(VK_MENU, VK_BACK, WM_SYSKEYDOWN), std::vector<std::string>{question});
    EXPECT_EQ(start(), 3);
    EXPECT_TRUE(press(VK_CONTROL, 'Z', WM_KEYDOWN).empty());
}

}  // namespace

// Reads back what the program shows of one service whose texts no legacy code page holds whole:
// the main frame runs on Wine's live service manager and registry in this process, as the program
// runs it, and every text is read from the controls with the UTF-16 calls and written as UTF-8
// into a file, one line per text. codepage_test.sh runs this probe built with the program's
// manifest and built with one that leaves the process in the locale's code page, and compares.
//
//   codepage_probe register "IMAGE PATH"   registers the service and a svchost group naming it
//   codepage_probe remove                  removes them
//   codepage_probe dump FILE               writes what the window, the dialogs and the clipboard
//   show
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"
#include "tests/support/live_system.h"
#include "tests/support/modal_driver.h"
#include "tests/support/running_frame.h"
#include "views/detail_paint.h"
#include "window/list_view.h"
#include "window/framework_ids.h"

namespace {

// Chinese, which code page 1252 lacks, Latin letters with diacritics, and a character beyond the
// Basic Multilingual Plane, which no legacy code page holds.
const wchar_t kServiceName[] = L"代码页服务\U0001F600";
const wchar_t kDisplayName[] = L"代码页测试 Ünïcödé \U0001F600";
const wchar_t kDescription[] = L"说明：中文、Ünïcödé 与 \U0001F600";
const wchar_t kGroup[] = L"测试组\U0001F600";
const wchar_t kSvchostKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";
const wchar_t kSvchostGroup[] = L"代码页组\U0001F600";

std::wstring ServiceKey() {
    return std::wstring(L"SYSTEM\\CurrentControlSet\\Services\\") + kServiceName;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
    return RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

int Register(const std::wstring& imagePath) {
    DemandServiceSettings settings;
    settings.displayName = kDisplayName;
    settings.group = kGroup;
    if (!CreateDemandService(kServiceName, SERVICE_WIN32_OWN_PROCESS, imagePath, settings))
        return 1;
    RegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ServiceKey().c_str(), 0, KEY_SET_VALUE, key.Receive()) !=
            ERROR_SUCCESS ||
        !SetText(key.Get(), L"Description", kDescription))
        return 2;
    RegKey svchost;
    const std::wstring members = std::wstring(kServiceName) + L'\0' + L"其他" + L'\0';
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSvchostKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        svchost.Receive(), nullptr) != ERROR_SUCCESS ||
        !SetText(svchost.Get(), kSvchostGroup, members, REG_MULTI_SZ))
        return 3;
    return 0;
}

int Remove() {
    DeleteServiceNamed(kServiceName);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSvchostKey, kSvchostGroup);
    return 0;
}

// Line breaks and tabs written visibly, so every text stays on its line of the dump.
std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else
            out += c;
    }
    return out;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* locked = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        text = NarrowText(locked);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// Every text the detail pane draws, as its painting hands them to the system: painted into a
// metafile and read back from its text records.
int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) {
    if (record->iType == EMR_EXTTEXTOUTW) {
        const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) +
                                                             text->emrtext.offString);
        reinterpret_cast<std::vector<std::wstring>*>(param)->emplace_back(chars,
                                                                          text->emrtext.nChars);
    }
    return 1;
}

std::vector<std::string> DetailTexts(RunningFrame& frame) {
    RECT client = {};
    GetClientRect(frame.Detail().Handle(), &client);
    const int dpi = frame.Detail().Dpi();
    UniqueFont title(CreateDetailTitleFont(dpi));
    UniqueFont text(CreateDetailTextFont(dpi));
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    PaintDetail(dc, client, DetailStyle{dpi, title.Get(), text.Get()}, frame.Detail().Service(),
                frame.Detail().Facts());
    HENHMETAFILE picture = CloseEnhMetaFile(dc);
    std::vector<std::wstring> texts;
    EnumEnhMetaFile(nullptr, picture, CollectText, &texts, nullptr);
    DeleteEnhMetaFile(picture);
    std::vector<std::string> utf8;
    for (const std::wstring& text : texts)
        utf8.push_back(NarrowText(text));
    return utf8;
}

class Dump {
public:
    void Add(const char* what, const std::string& text) {
        lines_ += std::string(what) + " " + Escaped(text) + "\n";
    }
    bool WriteTo(const std::wstring& path) const {
        FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        return file &&
               WriteFile(file.Get(), lines_.data(), static_cast<DWORD>(lines_.size()), &written,
                         nullptr) &&
               written == lines_.size();
    }

private:
    std::string lines_;
};

void DumpDialogTexts(Dump& dump, const char* what, HWND dialog) {
    dump.Add(what, WindowText(dialog));
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string id = std::to_string(GetDlgCtrlID(child)) + " ";
        wchar_t className[64] = L"";
        GetClassNameW(child, className, 64);
        if (lstrcmpiW(className, WC_LISTVIEWW) != 0) {
            dump.Add(what, id + WindowText(child));
            continue;
        }
        const int rows = static_cast<int>(SendMessageW(child, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row)
            dump.Add(what, id + ListCellText(child, row, 0) + " | " + ListCellText(child, row, 1));
    }
}

// Runs a command that opens a modal window and dumps that window's texts before closing it. A
// message box gives its caption and text only: its buttons speak the system's language.
void DumpModal(RunningFrame& frame, Dump& dump, const char* what, UINT command, const char* caption,
               int closeWith) {
    bool seen = false;
    ModalDriver driver({{caption, [&](HWND window) {
                             seen = true;
                             if (closeWith == IDNO) {
                                 dump.Add(what, WindowText(window));
                                 dump.Add(what, MessageBoxText(window));
                             } else {
                                 DumpDialogTexts(dump, what, window);
                             }
                             PressButton(window, closeWith);
                         }}});
    frame.Command(command);
    if (!seen)
        dump.Add(what, "<not shown>");
}

int DumpTo(const std::wstring& path) {
    Win32System system;
    RunningFrame frame(system);
    Dump dump;
    dump.Add("acp", std::to_string(GetACP()));
    if (!frame.Started())
        return 1;
    dump.Add("caption", WindowText(frame.FrameWindow()));
    for (HTREEITEM node : frame.TreeItems())
        dump.Add("tree", frame.TreeLabel(node));

    const int row = frame.SelectService(NarrowText(kServiceName));
    if (row < 0) {
        dump.Add("row", "<not listed>");
        return dump.WriteTo(path) ? 0 : 1;
    }
    for (int column = 0; column < 6; ++column)
        dump.Add("cell", frame.Cell(row, column));
    dump.Add("status", frame.StatusText());
    for (const std::string& text : DetailTexts(frame))
        dump.Add("detail", text);

    SetFocus(frame.ListControl());
    frame.Command(ID_EDIT_COPY);
    dump.Add("clipboard", ClipboardText());

    DumpModal(frame, dump, "confirm", ID_SERVICE_START, kAppCaption, IDNO);
    DumpModal(frame, dump, "property", ID_SERVICE_PROPERTY, kPropertyCaption, IDCANCEL);
    DumpModal(frame, dump, "groups", ID_SERVICE_GROUP, kGroupCaption, IDOK);
    return dump.WriteTo(path) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"register" && argc == 3)
        return Register(argv[2]);
    if (command == L"remove")
        return Remove();
    if (command == L"dump" && argc == 3)
        return DumpTo(argv[2]);
    return 64;
}

// The program's resources as the system loads them: icons, menu, toolbar, accelerators, bitmaps and
// the dialog templates with their controls.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/resources/dialog_template.h"
#include "window/dpi_scale.h"
#include "window/toolbar_resource.h"

namespace {

HINSTANCE Module() {
    return GetModuleHandleA(nullptr);
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

bool IconHasSize(UINT id, int size) {
    HICON icon =
        static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
    if (!icon)
        return false;
    ICONINFO info = {};
    bool ok = GetIconInfo(icon, &info);
    BITMAP bitmap = {};
    if (ok)
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return ok && bitmap.bmWidth == size && bitmap.bmHeight == size;
}

TEST(Resources, IconsAtTheirSizes) {
    for (int size : {48, 32, 24, 16})
        EXPECT_TRUE(IconHasSize(IDR_MAINFRAME, size)) << size;
    for (UINT id : {IDI_HOME_PAGE, IDI_REFRESH, IDI_SERVICE_START, IDI_SERVICE_STOP, IDI_ABOUT,
                    IDI_SERVICE_GROUP, IDI_SERVICE_PROPERTY}) {
        EXPECT_TRUE(IconHasSize(id, 24)) << id;
    }
    for (UINT id : {IDI_SERVICE, IDI_TREE_GROUP, IDI_TREE_LEAF})
        EXPECT_TRUE(IconHasSize(id, 16)) << id;
    EXPECT_TRUE(IconHasSize(IDI_DETAIL, 32));
    EXPECT_TRUE(IconHasSize(IDI_DETAIL, 16));
}

// The sizes of the images an icon resource holds, as its group directory lists them.
std::vector<int> IconImageSizes(UINT id) {
#pragma pack(push, 2)
    struct GroupHeader {
        WORD reserved, type, count;
    };
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bits;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    std::vector<int> sizes;
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    if (!found)
        return sizes;
    auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(Module(), found)));
    auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i)
        sizes.push_back(entries[i].width ? entries[i].width : 256);
    return sizes;
}

// Each icon is drawn at its size for 96 DPI scaled by the window's DPI: the resource holds an image
// of that size at 100, 125, 150, 175 and 200 %, so none is stretched from another.
TEST(Resources, EveryIconHoldsItsImageForEachUsualDisplayScale) {
    struct Use {
        UINT id;
        int size;
    };
    const Use uses[] = {{IDR_MAINFRAME, 16},        {IDR_MAINFRAME, 32},     {IDI_SERVICE, 16},
                        {IDI_TREE_GROUP, 16},       {IDI_TREE_LEAF, 16},     {IDI_DETAIL, 32},
                        {IDI_REFRESH, 24},          {IDI_SERVICE_START, 24}, {IDI_SERVICE_STOP, 24},
                        {IDI_SERVICE_PROPERTY, 24}, {IDI_SERVICE_GROUP, 24}, {IDI_ABOUT, 24},
                        {IDI_HOME_PAGE, 24}};
    for (const Use& use : uses) {
        const std::vector<int> sizes = IconImageSizes(use.id);
        for (int dpi : {96, 120, 144, 168, 192}) {
            const int size = ScaleToDpi(use.size, dpi);
            EXPECT_TRUE(std::find(sizes.begin(), sizes.end(), size) != sizes.end())
                << "icon " << use.id << ", " << size << " pixels";
        }
    }
}

TEST(Resources, BitmapsOfTheToolbarAndBanner) {
    struct Header {
        UINT id;
        LONG width, height;
        WORD bits;
    };
    for (Header expected :
         {Header{IDR_MAINFRAME, 168, 24, 4}, Header{IDB_ABOUT_BANNER, 280, 59, 24}}) {
        HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(expected.id), RT_BITMAP);
        ASSERT_TRUE(found) << expected.id;
        auto* info =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(Module(), found)));
        EXPECT_EQ(info->biWidth, expected.width);
        EXPECT_EQ(info->biHeight, expected.height);
        EXPECT_EQ(info->biBitCount, expected.bits);
    }
}

TEST(Resources, ToolbarButtonsInOrder) {
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                MAKEINTRESOURCEW(kToolBarResourceType));
    ASSERT_TRUE(found);
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(Module(), found)));
    // Microsoft's compiler writes version 1 and 16-bit fields; windres writes 32-bit fields and no
    // version: width, height, count, then the ids (0 for a separator).
    std::vector<DWORD> fields;
    const bool wide = reinterpret_cast<const WORD*>(data)[0] != 1;
    const DWORD count = SizeofResource(Module(), found) / (wide ? 4 : 2);
    for (DWORD i = wide ? 0 : 1; i < count; ++i) {
        fields.push_back(wide ? reinterpret_cast<const DWORD*>(data)[i]
                              : reinterpret_cast<const WORD*>(data)[i]);
    }
    EXPECT_EQ(fields, (std::vector<DWORD>{24, 24, 10, ID_REFRESH, 0, ID_SERVICE_START,
                                          ID_SERVICE_STOP, ID_SERVICE_PROPERTY, 0, ID_SERVICE_GROUP,
                                          0, ID_APP_ABOUT, ID_VISIT_WEBSITE}));
}

std::string MenuText(HMENU menu, UINT position) {
    char text[64] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST(Resources, MenuHoldsAboutAndExit) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_TRUE(menu);
    ASSERT_EQ(GetMenuItemCount(menu), 1);
    EXPECT_EQ(MenuText(menu, 0), "菜单");
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(MenuText(popup, 0), "关于...");
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_APP_ABOUT));
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR,
              static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(popup, 2), "退出(&X)");
    EXPECT_EQ(GetMenuItemID(popup, 2), static_cast<UINT>(ID_APP_EXIT));
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorTable) {
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_TRUE(table);
    ACCEL keys[32];
    int count = CopyAcceleratorTableA(table, keys, 32);
    ASSERT_EQ(count, 14);
    auto has = [&](BYTE flags, WORD key, WORD command) {
        for (int i = 0; i < count; ++i) {
            if ((keys[i].fVirt & ~0x80) == (flags | FVIRTKEY) && keys[i].key == key &&
                keys[i].cmd == command)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has(FCONTROL, 'N', ID_FILE_NEW));
    EXPECT_TRUE(has(FALT, VK_BACK, ID_EDIT_UNDO));
    EXPECT_TRUE(has(FSHIFT, VK_DELETE, ID_EDIT_CUT));
    EXPECT_TRUE(has(FCONTROL, VK_INSERT, ID_EDIT_COPY));
    EXPECT_TRUE(has(FSHIFT, VK_INSERT, ID_EDIT_PASTE));
    EXPECT_TRUE(has(0, VK_F6, ID_NEXT_PANE));
    EXPECT_TRUE(has(FSHIFT, VK_F6, ID_PREV_PANE));
}

INT_PTR CALLBACK QuietDialog(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

class DialogTemplate {
public:
    explicit DialogTemplate(UINT id)
        : hwnd_(CreateDialogParamA(Module(), MAKEINTRESOURCEA(id), nullptr, QuietDialog, 0)) {}
    ~DialogTemplate() {
        if (hwnd_)
            DestroyWindow(hwnd_);
    }
    HWND hwnd() const { return hwnd_; }
    LONG Style(int id) const { return GetWindowLongA(GetDlgItem(hwnd_, id), GWL_STYLE); }
    std::string Class(int id) const {
        char name[64] = {};
        GetClassNameA(GetDlgItem(hwnd_, id), name, sizeof name);
        return name;
    }
    std::string Text(HWND control) const {
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        return text;
    }

private:
    HWND hwnd_;
};

TEST(Resources, AboutBox) {
    DialogTemplate about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.hwnd());
    EXPECT_EQ(about.Text(about.hwnd()), "关于...");
    EXPECT_EQ(about.Text(GetDlgItem(about.hwnd(), IDOK)), "确定");
    // The controls without ids, in template order: icon, (OK), banner, two texts.
    std::vector<std::string> texts;
    std::vector<LONG> kinds;
    std::vector<HWND> children;
    for (HWND child = GetWindow(about.hwnd(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == IDOK)
            continue;
        kinds.push_back(GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK);
        children.push_back(child);
        texts.push_back(about.Text(child));
    }
    ASSERT_EQ(kinds.size(), 4u);
    EXPECT_EQ(kinds[0], SS_ICON);
    EXPECT_EQ(kinds[1], SS_BITMAP);
    EXPECT_EQ(kinds[2], SS_CENTER);
    EXPECT_EQ(kinds[3], SS_LEFT);
    // The banner spans the box whatever the dialog font makes of its width, not the bitmap's.
    RECT box = {}, banner = {};
    GetClientRect(about.hwnd(), &box);
    GetClientRect(children[1], &banner);
    EXPECT_GE(banner.right + 2, box.right);
    EXPECT_NE(texts[2].find("\nOrvaneWindows服务管理专家 V1.02\n\n"), std::string::npos);
}

const TemplateControl* Control(const DialogTemplateData& data, DWORD id) {
    for (const auto& control : data.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}

bool Has(DWORD style, DWORD bits) {
    return (style & bits) == bits;
}

TEST(Resources, ServicePropertyTemplate) {
    DialogTemplateData data;
    ASSERT_TRUE(ReadDialogTemplate(IDD_SERVICE_PROPERTY, data));
    EXPECT_EQ(data.title, L"服务属性");
    EXPECT_EQ(data.font, L"宋体");
    EXPECT_EQ(data.pointSize, 9);
    EXPECT_EQ(data.width, 331);
    EXPECT_EQ(data.height, 236);
    EXPECT_TRUE(Has(data.style, DS_CENTER | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    ASSERT_EQ(data.controls.size(), 19u);

    const TemplateControl* combo = Control(data, IDC_START_TYPE);
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->style & 0xF, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_TRUE(Has(combo->style, WS_VSCROLL | WS_TABSTOP));
    EXPECT_FALSE(combo->style & CBS_SORT);
    EXPECT_TRUE(SameRect(combo->rect, RECT{81, 148, 204, 217}));
    struct Edit {
        DWORD id;
        RECT rect;
    };
    for (Edit edit :
         {Edit{IDC_SERVICE_NAME, {81, 27, 312, 39}}, Edit{IDC_DISPLAY_NAME, {81, 44, 312, 56}},
          Edit{IDC_IMAGE_PATH, {81, 96, 312, 108}}, Edit{IDC_SERVICE_DLL, {81, 111, 312, 123}},
          Edit{IDC_SERVICE_STATUS, {81, 183, 312, 195}}}) {
        const TemplateControl* control = Control(data, edit.id);
        ASSERT_TRUE(control) << edit.id;
        EXPECT_TRUE(Has(control->style, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER)) << edit.id;
        EXPECT_FALSE(control->style & ES_MULTILINE) << edit.id;
        EXPECT_TRUE(SameRect(control->rect, edit.rect)) << edit.id;
    }
    const TemplateControl* description = Control(data, IDC_DESCRIPTION);
    ASSERT_TRUE(description);
    EXPECT_TRUE(Has(description->style, ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL));
    EXPECT_TRUE(SameRect(description->rect, RECT{81, 60, 312, 93}));
    const TemplateControl* ok = Control(data, IDC_PROPERTY_OK);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->style & 0xF, static_cast<DWORD>(BS_PUSHBUTTON));
    EXPECT_EQ(ok->text, L"确定");
    EXPECT_TRUE(SameRect(ok->rect, RECT{190, 212, 244, 230}));
    const TemplateControl* cancel = Control(data, IDCANCEL);
    ASSERT_TRUE(cancel);
    EXPECT_EQ(cancel->text, L"取消");
    EXPECT_TRUE(SameRect(cancel->rect, RECT{259, 212, 313, 230}));
    EXPECT_EQ(data.controls[0].text, L"基本信息");
}

TEST(Resources, ServicePropertyDialogTakesFocusOnTheComboBox) {
    DialogTemplate dialog(IDD_SERVICE_PROPERTY);
    ASSERT_TRUE(dialog.hwnd());
    EXPECT_EQ(GetNextDlgTabItem(dialog.hwnd(), nullptr, FALSE),
              GetDlgItem(dialog.hwnd(), IDC_START_TYPE));
}

TEST(Resources, ServiceGroupTemplate) {
    DialogTemplateData data;
    ASSERT_TRUE(ReadDialogTemplate(IDD_SERVICE_GROUP, data));
    EXPECT_EQ(data.title, L"Windows服务组");
    EXPECT_EQ(data.width, 343);
    EXPECT_EQ(data.height, 260);
    EXPECT_TRUE(Has(data.style, DS_CENTER | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    ASSERT_EQ(data.controls.size(), 5u);
    EXPECT_EQ(data.controls[0].text, L"Svchost.exe Group");
    EXPECT_EQ(data.controls[2].text, L"Driver Group");
    for (DWORD id : {IDC_SVCHOST_LIST, IDC_GROUP_ORDER_LIST}) {
        const TemplateControl* list = Control(data, id);
        ASSERT_TRUE(list);
        EXPECT_EQ(_wcsicmp(list->className.c_str(), L"SysListView32"),
                  0);  // windres upper-cases it
        EXPECT_EQ(list->style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
        EXPECT_TRUE(Has(list->style, WS_BORDER | WS_TABSTOP));
    }
    EXPECT_TRUE(SameRect(Control(data, IDC_SVCHOST_LIST)->rect, RECT{19, 24, 325, 105}));
    EXPECT_TRUE(SameRect(Control(data, IDC_GROUP_ORDER_LIST)->rect, RECT{19, 137, 325, 218}));
    const TemplateControl* close = Control(data, IDOK);
    ASSERT_TRUE(close);
    EXPECT_EQ(close->text, L"关闭");
    EXPECT_TRUE(SameRect(close->rect, RECT{273, 234, 327, 254}));
}

TEST(Resources, AboutTemplate) {
    DialogTemplateData data;
    ASSERT_TRUE(ReadDialogTemplate(IDD_ABOUTBOX, data));
    EXPECT_EQ(data.width, 187);
    EXPECT_EQ(data.height, 173);
    ASSERT_EQ(data.controls.size(), 5u);
    const RECT expected[] = {{7, 52, 28, 73},
                             {129, 150, 179, 168},
                             {0, 0, 187, 39},
                             {36, 45, 180, 85},
                             {6, 89, 180, 144}};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(SameRect(data.controls[i].rect, expected[i])) << i;
    EXPECT_EQ(data.controls[0].text, L"#128");  // icon 128
    EXPECT_EQ(data.controls[2].text, L"#145");  // bitmap 145
    EXPECT_TRUE(Has(data.controls[3].style, SS_CENTER | SS_NOPREFIX | WS_GROUP));
    EXPECT_TRUE(Has(data.controls[4].style, SS_NOPREFIX | WS_GROUP));
    EXPECT_TRUE(Has(data.controls[1].style, WS_GROUP | WS_TABSTOP));
}

TEST(Resources, DetailFormIsABlankChild) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  Module(), nullptr);
    HWND form =
        CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_DETAIL_FORM), parent, QuietDialog, 0);
    ASSERT_TRUE(form);
    EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetWindow(form, GW_CHILD), nullptr);
    DestroyWindow(parent);
}

}  // namespace

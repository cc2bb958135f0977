// Menu, toolbar, status bar and accelerators of the main frame: buttons and their images, tooltips
// and prompts, idle-time enabling, docking and floating the toolbar, the About box.
#include <gtest/gtest.h>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "tests/support/sample_frame_test.h"
#include "window/frame_window.h"

namespace {

class Bars : public SampleFrameTest {
protected:
    void SetUp() override {
        SampleFrameTest::SetUp();
        toolBar_ = frame_->Frame().ToolBar();
    }

    std::string Tooltip(UINT id) {
        NMTTDISPINFOW info = {};
        info.hdr.hwndFrom = toolBar_;
        info.hdr.idFrom = id;
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(frame_->FrameWindow(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return NarrowText(info.lpszText ? info.lpszText : info.szText);
    }
    void SetHotButton(int index) {
        SendMessageA(toolBar_, TB_SETHOTITEM, static_cast<WPARAM>(index), 0);
    }

    HWND toolBar_ = nullptr;
};

const UINT kButtons[] = {
    ID_REFRESH,       0, ID_SERVICE_START, ID_SERVICE_STOP, ID_SERVICE_PROPERTY, 0,
    ID_SERVICE_GROUP, 0, ID_APP_ABOUT,     ID_VISIT_WEBSITE};

TEST_F(Bars, ToolbarHasSevenButtonsInFourGroupsEachWithItsImage) {
    ASSERT_EQ(10, SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0));
    int image = 0;
    for (int i = 0; i < 10; ++i) {
        TBBUTTON button = {};
        SendMessageA(toolBar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(kButtons[i] == 0, (button.fsStyle & BTNS_SEP) != 0) << i;
        if (kButtons[i] == 0)
            continue;
        EXPECT_EQ(static_cast<int>(kButtons[i]), button.idCommand);
        EXPECT_EQ(image++, button.iBitmap);
    }
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolBar_, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(7, ImageList_GetImageCount(images));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(frame_->Scaled(24), cx);
    EXPECT_EQ(frame_->Scaled(24), cy);
    EXPECT_TRUE(GetWindowLongA(toolBar_, GWL_STYLE) & TBSTYLE_FLAT);
}

TEST_F(Bars, TooltipsAreTheSecondHalfOfEachCommandString) {
    EXPECT_EQ("刷新", Tooltip(ID_REFRESH));
    EXPECT_EQ("启动服务", Tooltip(ID_SERVICE_START));
    EXPECT_EQ("停止服务", Tooltip(ID_SERVICE_STOP));
    EXPECT_EQ("属性", Tooltip(ID_SERVICE_PROPERTY));
    EXPECT_EQ("服务组", Tooltip(ID_SERVICE_GROUP));
    EXPECT_EQ("关于", Tooltip(ID_APP_ABOUT));
    EXPECT_EQ("Orvane主页", Tooltip(ID_VISIT_WEBSITE));
}

TEST_F(Bars, TheToolbarsOwnTooltipAsksTheFrame) {
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolBar_, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(nullptr, tips);
    wchar_t text[80] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolBar_;
    tool.uId = ID_SERVICE_GROUP;
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(L"服务组", text);
}

TEST_F(Bars, PromptsShowInTheStatusBarAndLeaveTheIdleTextBehind) {
    HWND frame = frame_->FrameWindow();
    HMENU popup = GetSubMenu(GetMenu(frame), 0);
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(ID_APP_ABOUT, MF_STRING),
                 reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ("显示程序信息，版本号和版权", frame_->StatusText());
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(ID_APP_EXIT, MF_STRING),
                 reinterpret_cast<LPARAM>(popup));
    EXPECT_EQ("退出应用程序；提示保存文档", frame_->StatusText());
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("就绪", frame_->StatusText());

    // A description is not put back after a prompt.
    frame_->SelectRow(frame_->RowOf("Alpha"));
    EXPECT_EQ("Alpha does things", frame_->StatusText());
    SetHotButton(0);
    EXPECT_EQ("重新读取服务数据", frame_->StatusText());
    SetHotButton(9);
    EXPECT_EQ("访问Orvane网站", frame_->StatusText());
    SetHotButton(-1);
    EXPECT_EQ("就绪", frame_->StatusText());
}

TEST_F(Bars, MenuAndStatusBar) {
    HMENU menu = GetMenu(frame_->FrameWindow());
    ASSERT_EQ(1, GetMenuItemCount(menu));
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("菜单", text);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(3, GetMenuItemCount(popup));
    GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("关于...", text);
    EXPECT_EQ(static_cast<UINT>(ID_APP_ABOUT), GetMenuItemID(popup, 0));
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    GetMenuStringA(popup, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("退出(&X)", text);
    EXPECT_EQ(1, SendMessageA(frame_->Frame().StatusBar(), SB_GETPARTS, 0, 0));
}

// Counts the enable requests the toolbar receives.
LRESULT CALLBACK CountEnables(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR counter) {
    if (message == TB_ENABLEBUTTON)
        ++*reinterpret_cast<int*>(counter);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST_F(Bars, IdleUpdateSendsOnlyChanges) {
    int enables = 0;
    SetWindowSubclass(toolBar_, CountEnables, 1, reinterpret_cast<DWORD_PTR>(&enables));
    Pump();
    Pump();
    EXPECT_EQ(0, enables);
    frame_->Frame().SetCategory(kKindDriver, -1, -1);
    Pump();
    EXPECT_EQ(2, enables);
    EXPECT_FALSE(SendMessageA(toolBar_, TB_ISBUTTONENABLED, ID_SERVICE_START, 0));
    Pump();
    EXPECT_EQ(2, enables);
    frame_->Frame().SetCategory(kKindWin32, 0, -1);
    Pump();
    EXPECT_EQ(4, enables);
    EXPECT_TRUE(SendMessageA(toolBar_, TB_ISBUTTONENABLED, ID_SERVICE_STOP, 0));
    RemoveWindowSubclass(toolBar_, CountEnables, 1);
}

TEST_F(Bars, CommandsWithoutAHandlerAreDisabledAndDoNothing) {
    CMainFrame& frame = frame_->Frame();
    EXPECT_FALSE(frame.IsCommandEnabled(ID_FILE_PRINT));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_EDIT_PASTE));
    EXPECT_FALSE(frame.IsCommandEnabled(ID_SERVICE_PAUSE));
    EXPECT_TRUE(frame.IsCommandEnabled(ID_APP_ABOUT));
    EXPECT_TRUE(frame.IsCommandEnabled(ID_APP_EXIT));
    EXPECT_FALSE(frame.RouteCommand(ID_FILE_PRINT));
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_EDIT_UNDO, 1), 0);
    EXPECT_TRUE(IsWindow(frame_->FrameWindow()));
}

TEST_F(Bars, ToolbarDocksAtEveryEdgeFloatsAndDocksAgain) {
    ToolbarDock& dock = frame_->Frame().Dock();
    HWND frame = frame_->FrameWindow();
    RECT client = {};
    GetClientRect(frame, &client);
    auto drag = [&](POINT fromClient, POINT toFrameClient) {
        POINT to = toFrameClient;
        MapWindowPoints(frame, toolBar_, &to, 1);
        SendMessageA(toolBar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromClient.x, fromClient.y));
        SendMessageA(toolBar_, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
        Pump();
    };
    RECT bar = {};
    GetClientRect(toolBar_, &bar);
    // Picked up by the empty area right of the last button, dropped at the left edge.
    drag(POINT{bar.right - 4, bar.bottom / 2}, POINT{5, client.bottom / 2});
    EXPECT_EQ(ToolbarDock::Side::Left, dock.CurrentSide());
    RECT left = frame_->RectInFrame(toolBar_);
    EXPECT_EQ(0, left.left);
    EXPECT_GT(Height(left), Width(left));
    EXPECT_EQ(left.right, frame_->RectInFrame(frame_->Frame().MainSplitter().Handle()).left);
    EXPECT_GE(SendMessageA(toolBar_, TB_GETROWS, 0, 0), 7);
    // Vertical, so that its separators lie flat between the buttons.
    EXPECT_TRUE(GetWindowLongA(toolBar_, GWL_STYLE) & CCS_VERT);

    GetClientRect(toolBar_, &bar);
    drag(POINT{bar.right / 2, bar.bottom - 4}, POINT{client.right / 2, client.bottom / 2});
    ASSERT_EQ(ToolbarDock::Side::Floating, dock.CurrentSide());
    HWND floater = dock.FloatingWindow();
    EXPECT_EQ(floater, GetParent(toolBar_));
    EXPECT_TRUE(GetWindowLongA(floater, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(frame, GetWindow(floater, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(floater));
    EXPECT_EQ(0, frame_->RectInFrame(frame_->Frame().MainSplitter().Handle()).top);
    // Commands from the floating toolbar still reach the frame.
    EXPECT_EQ(frame, reinterpret_cast<HWND>(
                         SendMessageA(toolBar_, TB_SETPARENT, reinterpret_cast<WPARAM>(frame), 0)));

    SendMessageA(floater, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Pump();
    EXPECT_EQ(ToolbarDock::Side::Left, dock.CurrentSide());
    EXPECT_EQ(frame, GetParent(toolBar_));
    EXPECT_FALSE(IsWindowVisible(floater));

    dock.DockAt(ToolbarDock::Side::Bottom);
    RECT bottom = frame_->RectInFrame(toolBar_);
    RECT status = frame_->RectInFrame(frame_->Frame().StatusBar());
    EXPECT_EQ(status.top, bottom.bottom);
    EXPECT_EQ(1, SendMessageA(toolBar_, TB_GETROWS, 0, 0));
    EXPECT_FALSE(GetWindowLongA(toolBar_, GWL_STYLE) & CCS_VERT);
    dock.DockAt(ToolbarDock::Side::Right);
    EXPECT_EQ(client.right, frame_->RectInFrame(toolBar_).right);
    dock.DockAt(ToolbarDock::Side::Top);
    RECT top = frame_->RectInFrame(toolBar_);
    EXPECT_EQ(0, top.top);
    EXPECT_EQ(top.bottom, frame_->RectInFrame(frame_->Frame().MainSplitter().Handle()).top);
    EXPECT_EQ(frame_->Scaled(CMainFrame::kTreeWidth),
              Width(frame_->RectInFrame(frame_->Tree().Handle())));
}

// Runs inside the modal loop: records the About box and closes it with Escape.
struct ModalProbe {
    HWND dialog = nullptr;
    std::string title;
    HWND owner = nullptr;
    RECT rect = {};
};
ModalProbe g_probe;

void CALLBACK CloseModal(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GetLastActivePopup(theApp.MainWindowHandle());
    if (!dialog || dialog == theApp.MainWindowHandle())
        return;
    KillTimer(nullptr, timer);
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    g_probe.dialog = dialog;
    g_probe.title = title;
    g_probe.owner = GetWindow(dialog, GW_OWNER);
    GetWindowRect(dialog, &g_probe.rect);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(Bars, AboutRunsModallyCentredOverTheFrameAndEscapeClosesIt) {
    g_probe = ModalProbe();
    SetTimer(nullptr, 0, 50, CloseModal);
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_APP_ABOUT, 0);
    ASSERT_NE(nullptr, g_probe.dialog);
    EXPECT_EQ("关于...", g_probe.title);
    EXPECT_EQ(frame_->FrameWindow(), g_probe.owner);
    EXPECT_FALSE(IsWindow(g_probe.dialog));
    RECT frame = {};
    GetWindowRect(frame_->FrameWindow(), &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, (g_probe.rect.left + g_probe.rect.right) / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (g_probe.rect.top + g_probe.rect.bottom) / 2, 2);
}

TEST_F(Bars, ServiceGroupsRunModallyOwnedByTheFrame) {
    g_probe = ModalProbe();
    SetTimer(nullptr, 0, 50, CloseModal);
    SendMessageA(frame_->FrameWindow(), WM_COMMAND, ID_SERVICE_GROUP, 0);
    ASSERT_NE(nullptr, g_probe.dialog);
    EXPECT_EQ(frame_->FrameWindow(), g_probe.owner);
}

// While a command holds the frame busy, the commands that are not for busy times (every one that
// reloads, acts on a service or runs a dialog) are disabled and refused however they arrive, the
// others still work, a close waits for the command's end, and the loop's waits show the wait
// cursor over the frame and give the cursor back afterwards.
bool g_waitCursorShown = false;

void CALLBACK AskCursor(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND list = theApp.MainFrame()->FindServiceListView()->Handle();
    SendMessageA(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list), HTCLIENT);
    g_waitCursorShown = GetCursor() == LoadCursor(nullptr, IDC_WAIT);
}

TEST_F(Bars, BusyFrameRefusesCommandsNotForBusyTimesAndDefersItsClose) {
    HWND window = frame_->FrameWindow();
    {
        FrameBusyScope busy;
        for (UINT id : {ID_SERVICE_START, ID_SERVICE_STOP, ID_REFRESH, ID_SERVICE_PROPERTY,
                        ID_SERVICE_GROUP, ID_FILE_SAVE, ID_FILE_NEW, ID_FILE_OPEN, ID_APP_ABOUT})
            EXPECT_FALSE(frame_->Frame().IsCommandEnabled(id)) << id;
        for (UINT id : {ID_EDIT_COPY, ID_NEXT_PANE, ID_APP_EXIT, ID_VISIT_WEBSITE})
            EXPECT_TRUE(frame_->Frame().IsCommandEnabled(id)) << id;
        Pump();  // the idle step greys the buttons
        EXPECT_FALSE(SendMessageA(toolBar_, TB_ISBUTTONENABLED, ID_REFRESH, 0));
        system_.AddService(kServiceTypeWin32, "Zeta", "C:\\z.exe", 3, kStateStopped);
        frame_->Command(ID_REFRESH);
        EXPECT_EQ(frame_->RowOf("Zeta"), -1);
        frame_->Command(ID_NEXT_PANE);
        EXPECT_EQ(GetFocus(), frame_->List().Handle());

        SetTimer(nullptr, 0, 10, AskCursor);
        theApp.PumpFor(200);
        EXPECT_TRUE(g_waitCursorShown);
        EXPECT_NE(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
        SendMessageA(window, WM_CLOSE, 0, 0);
        Pump();
        EXPECT_TRUE(IsWindow(window));
    }
    Pump();  // the close comes once the busy scope has ended
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace

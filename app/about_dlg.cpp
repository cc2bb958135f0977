#include "app/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    BOOL result = Dialog::OnInitDialog();
    HWND owner = GetWindow(Handle(), GW_OWNER);
    RECT over = {};
    if (owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &over);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
    }
    RECT box = {};
    GetWindowRect(Handle(), &box);
    int x = over.left + ((over.right - over.left) - (box.right - box.left)) / 2;
    int y = over.top + ((over.bottom - over.top) - (box.bottom - box.top)) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return result;
}

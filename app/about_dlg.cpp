#include "app/about_dlg.h"

#include "res/resource.h"
#include "window/window.h"

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
    BOOL result = Dialog::OnInitDialog();
    CenterWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    return result;
}

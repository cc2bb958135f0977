// The About box on dialog template 100: banner, icon, version line; OK and Escape close it.
#pragma once

#include <windows.h>

class CAboutDlg {
public:
    // Runs the box modally, owned by and centred over the main window; the result is ignored.
    INT_PTR DoModal();

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

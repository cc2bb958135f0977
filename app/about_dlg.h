// The About box on dialog template 100: banner, icon, version line; OK and Escape close it.
#pragma once

#include "window/dialog.h"

class CAboutDlg : public Dialog {
public:
    CAboutDlg();

protected:
    // Centres the box over the main window, as every modal box of the program is.
    BOOL OnInitDialog() override;
};

// The program: the application object on the running system's service manager and registry.
#include <windows.h>

#include "app/app.h"
#include "platform/win32/win32_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Win32System system;
    theApp.SetPlatform(system, system);
    int code = 0;
    if (theApp.InitInstance())
        code = theApp.Run();
    theApp.ExitInstance();
    return code;
}

// The names Windows reserves for devices (CON, NUL, COM1, ...): opening one opens the device, in
// any folder and with any extension ("C:\out\nul.csv"), so it can hold no saved inventory.
// Portable.
#pragma once

#include <string>

// True when the path's last part names a device: CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9
// (also with a superscript 1, 2 or 3), CONIN$ or CONOUT$, in any case, before any extension or
// colon and any spaces ahead of those.
bool NamesDevice(const std::wstring& path);

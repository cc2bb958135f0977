// Where the process takes its DLLs from. Windows looks for a DLL that is not a KnownDLL in the
// program's own folder first, so a DLL planted beside the program (a download folder) would run
// with its rights. The program imports only KnownDLLs at start; every other DLL is bound on its
// first call (delay imports) or loaded by the system's own code later, both after WinMain has
// called RestrictDllSearchToSystemFolder.
#pragma once

#include <windows.h>

// Restricts the DLL search of the whole process to the system folder (and the side-by-side
// assemblies the manifest names, such as common controls 6): SetDefaultDllDirectories, from
// Windows 8 and on Windows 7 with KB2533623. Without it the current folder leaves the search path
// and the program's delay imports still come from the system folder by full path. The DLLs the
// common controls load on their own are loaded from the system folder at once. To be called first
// thing, before any call into a delay-imported DLL. False when only the fallback applied.
bool RestrictDllSearchToSystemFolder();

// The system's DLL of that name (L"version.dll"), loaded from the system folder whatever the search
// path; a side-by-side assembly the manifest names takes precedence, as for any load by name.
HMODULE LoadSystemLibrary(const wchar_t* name);

#include "platform/win32/system_libraries.h"

#include <delayimp.h>

#include <string>

#include "platform/win32/wide_text.h"

namespace {

// The flag is refused with ERROR_INVALID_PARAMETER where the system does not know it.
HMODULE LoadFromSystemFolderByFlag(const wchar_t* name) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Windows 7 without KB2533623: the full path, whose folder is also searched first for the DLL's own
// imports. Common controls 6 lives in the side-by-side store, which only a load by name reaches.
HMODULE LoadFromSystemFolderByPath(const wchar_t* name) {
    if (lstrcmpiW(name, L"comctl32.dll") == 0)
        return LoadLibraryW(name);
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Called by mingw-w64's delay-load helper before it loads a DLL: a module returned here is used
// instead of the helper's own LoadLibrary, which would search the program's folder first on a
// system without the restriction.
FARPROC WINAPI BeforeDelayLoad(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || !info || !info->szDll)
        return nullptr;
    // The names in an import table are ASCII.
    return reinterpret_cast<FARPROC>(LoadSystemLibrary(WideText(info->szDll).c_str()));
}

// DLLs the common controls load by name on their own (themes, and the blending those draw with).
// Loaded first from the system folder, they are found loaded when asked for: a load that misses the
// restriction (Wine's delay imports, Windows 7 without the update) would search the program's
// folder first. They stay loaded for the life of the process.
const wchar_t* const kLoadedByTheControls[] = {L"uxtheme.dll", L"msimg32.dll"};

}  // namespace

// The toolchain's hook, by the name its delay-load helper looks for (declared in <delayimp.h>).
PfnDliHook __pfnDliNotifyHook2 = BeforeDelayLoad;

bool RestrictDllSearchToSystemFolder() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    // Through a function type without arguments, as a GetProcAddress result is converted.
    const auto setDefault =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
    const bool restricted = setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!restricted)
        SetDllDirectoryW(L"");  // the current folder no longer searched
    for (const wchar_t* name : kLoadedByTheControls)
        LoadSystemLibrary(name);
    return restricted;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    HMODULE module = LoadFromSystemFolderByFlag(name);
    if (!module && GetLastError() == ERROR_INVALID_PARAMETER)
        module = LoadFromSystemFolderByPath(name);
    return module;
}

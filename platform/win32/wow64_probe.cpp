#include "platform/win32/wow64_probe.h"

#include <windows.h>

namespace {

using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, BOOL*);

// A function of kernel32 by name, converted to its type (GetProcAddress gives a generic one).
template <typename Function>
Function Kernel32Function(const char* name) {
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    FARPROC address = kernel32 ? GetProcAddress(kernel32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

}  // namespace

Wow64Report ProbeWow64() {
    Wow64Report report;
    if (auto isWow64Process2 = Kernel32Function<IsWow64Process2Function>("IsWow64Process2")) {
        USHORT processMachine = IMAGE_FILE_MACHINE_UNKNOWN;
        USHORT nativeMachine = IMAGE_FILE_MACHINE_UNKNOWN;
        if (isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine)) {
            report.queriedProcess2 = true;
            report.processMachine = processMachine;
        }
    }
    if (auto isWow64Process = Kernel32Function<IsWow64ProcessFunction>("IsWow64Process")) {
        BOOL wow64 = FALSE;
        if (isWow64Process(GetCurrentProcess(), &wow64)) {
            report.queriedProcess = true;
            report.wow64 = wow64 != FALSE;
        }
    }
    return report;
}

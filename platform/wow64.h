// Whether the program runs as a 32-bit process on 64-bit Windows (WOW64). There the system
// redirects System32 to SysWOW64 and HKLM\SOFTWARE to WOW6432Node, so the files and svchost groups
// shown would be the 32-bit copies: the 32-bit build refuses to run and names the 64-bit one.
// Portable: the decision from what the system reports, which platform/win32 asks.
#pragma once

#include <cstdint>

// What the system's two WOW64 queries answered for the current process.
struct Wow64Report {
    // IsWow64Process2 (Windows 10 version 1709 and later): its process machine is
    // IMAGE_FILE_MACHINE_UNKNOWN (0) unless the process runs under WOW64.
    bool queriedProcess2 = false;  // the function exists and succeeded
    uint16_t processMachine = 0;
    // IsWow64Process, where IsWow64Process2 is missing or fails.
    bool queriedProcess = false;  // the function exists and succeeded
    bool wow64 = false;
};

// True when the process runs under WOW64. IsWow64Process2 decides where it answered (an x64
// process emulated on ARM64 is not WOW64, and it says so); otherwise IsWow64Process; a system
// that answers neither has no WOW64 (32-bit Windows before XP SP2).
bool RunsUnderWow64(const Wow64Report& report);

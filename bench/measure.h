// What the Windows benchmarks share: elapsed time, the process's working set and where their files
// go.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <string>

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point began) {
    return std::chrono::duration<double, std::milli>(Clock::now() - began).count();
}

// The process's working set now, or the most it has had (peak), in megabytes.
inline double WorkingSetMegabytes(bool peak = false) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) /
           (1024.0 * 1024.0);
}

// A path of that name in the temporary folder.
inline std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// What the Windows benchmarks measure with: elapsed time and the process's working set.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <chrono>

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

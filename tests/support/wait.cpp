#include "tests/support/wait.h"

#include <windows.h>

namespace {
constexpr DWORD kPollMs = 100;
}

bool WaitUntil(const std::function<bool()>& condition, unsigned boundMs) {
    const ULONGLONG end = GetTickCount64() + boundMs;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return condition();
        Sleep(kPollMs);
    }
    return true;
}

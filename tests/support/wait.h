// Waiting for something outside the test to come true (a service's state, the service manager's
// clean-up): the condition is asked every 100 ms until it holds or the bound has passed, instead of
// a fixed count of sleeps in each test.
#pragma once

#include <functional>

// Long enough for a Wine service to start or stop, or for a deleted one to be gone.
constexpr unsigned kSettleBoundMs = 5000;

// True as soon as condition() is; false when it still is not once boundMs have passed (it is
// asked one last time then).
bool WaitUntil(const std::function<bool()>& condition, unsigned boundMs = kSettleBoundMs);

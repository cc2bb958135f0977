// The status of one service as the service manager reports it: the system's SERVICE_STATUS, field
// for field, and the states its dwCurrentState takes.
#pragma once

#include <cstdint>

// Service states (dwCurrentState).
constexpr uint32_t kStateStopped = 1;
constexpr uint32_t kStateStartPending = 2;
constexpr uint32_t kStateStopPending = 3;
constexpr uint32_t kStateRunning = 4;
constexpr uint32_t kStateContinuePending = 5;
constexpr uint32_t kStatePausePending = 6;
constexpr uint32_t kStatePaused = 7;

// The system's SERVICE_STATUS, field for field.
struct ServiceStatusFields {
    uint32_t dwServiceType = 0;
    uint32_t dwCurrentState = 0;
    uint32_t dwControlsAccepted = 0;
    uint32_t dwWin32ExitCode = 0;
    uint32_t dwServiceSpecificExitCode = 0;
    uint32_t dwCheckPoint = 0;
    uint32_t dwWaitHint = 0;
};

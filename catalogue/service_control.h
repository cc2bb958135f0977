// Service control by name, all in one place: a start or stop is followed until the service has got
// where it was sent, the way the manager's own clients wait (poll its status, honour its check
// point and wait hint, give up after a bound); the start-type change, which the manager carries
// out and refuses as Windows does. CServiceList's two control members hand on to these.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/service_item.h"
#include "platform/platform.h"
#include "platform/system_errors.h"

// The longest a start or stop is followed, in all.
constexpr uint32_t kFollowBoundMs = 30000;

// Time for following a service: the caller decides how the waits are spent (the window keeps
// handling its messages meanwhile; tests move a clock of their own).
class FollowClock {
public:
    virtual ~FollowClock() = default;
    virtual uint64_t NowMs() = 0;
    virtual void Wait(uint32_t ms) = 0;
};

// How a start or stop request ended.
struct ServiceControlResult {
    // The service got where it was sent: it is there now.
    bool succeeded = false;
    // The service was already stopped when a stop was asked for: no request was made.
    bool alreadyStopped = false;
    // Why it failed: the error code of the call that failed; after following, the exit code the
    // service stopped with, or ERROR_SERVICE_REQUEST_TIMEOUT when it did not get there in time.
    // 0 for a service that stopped after its start without an exit code.
    uint32_t error = 0;
    // The service's own code, when error is ERROR_SERVICE_SPECIFIC_ERROR.
    uint32_t serviceSpecificError = 0;
    // The service was followed; status is the last one read.
    bool followed = false;
    ServiceStatusFields status;
};

// Starts the service by the manager's own name, unless it is already starting or running, then
// follows it while it is start- or stop-pending (a start that fails winds down through
// stop-pending). Between two queries it waits a tenth of the wait hint, 1 to 10 seconds; it gives
// up when a pending service has not advanced its check point within its (nonzero) wait hint, and
// in any case once boundMs have passed. True when the service runs.
bool StartServiceAndFollow(ServiceManagerApi& services, const std::u16string& name,
                           FollowClock& clock, uint32_t boundMs, ServiceControlResult& result);
// Stops the service, unless it is stopped (no request; false with alreadyStopped) or already
// stopping, then follows it as a start is followed until it is stopped. True when it has stopped.
bool StopServiceAndFollow(ServiceManagerApi& services, const std::u16string& name,
                          FollowClock& clock, uint32_t boundMs, ServiceControlResult& result);

// Sets the service's start type through the service manager, which writes "Start" and uses it at
// once. Boot and system start are for drivers only: for a Win32 service they are refused with
// ERROR_INVALID_PARAMETER before anything is asked of the manager. Returns 0 or the error code;
// on an error nothing was written.
uint32_t ChangeServiceStartType(ServiceManagerApi& services, const std::u16string& serviceName,
                                uint32_t startType);

// What happens after the service manager accepts a start or stop: the service is followed until it
// has got where it was sent, the way the manager's own clients wait (poll its status, honour its
// check point and wait hint, give up after a bound). Also the start-type change, which the manager
// carries out and refuses as Windows does.
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

enum class FollowTarget { Started, Stopped };

// Queries the service, then keeps querying while it is on its way: for Started while it is start-
// or stop-pending (a start that fails winds down through stop-pending), for Stopped until it is
// stopped. Between two queries it waits a tenth of the wait hint, 1 to 10 seconds. It gives up
// when a pending service has not advanced its check point within its (nonzero) wait hint, and in
// any case once boundMs have passed. Returns 0 with the last status, or the error of a failed
// query.
uint32_t FollowService(ServiceSession& session, FollowTarget target, FollowClock& clock,
                       uint32_t boundMs, ServiceStatusFields& status);

// Sets the service's start type through the service manager, which writes "Start" and uses it at
// once. Boot and system start are for drivers only: for a Win32 service they are refused with
// ERROR_INVALID_PARAMETER before anything is asked of the manager. Returns 0 or the error code;
// on an error nothing was written.
uint32_t ChangeServiceStartType(ServiceManagerApi& services, const std::u16string& serviceName,
                                uint32_t startType);

#include "catalogue/service_control.h"

#include <memory>

namespace {

constexpr uint32_t kMinPollMs = 1000;
constexpr uint32_t kMaxPollMs = 10000;

enum class Request { Start, Stop };

bool IsStartedOrStarting(uint32_t state) {
    return state == kStateStartPending || state == kStateRunning || state == kStateContinuePending;
}

bool IsPending(uint32_t state) {
    return state == kStateStartPending || state == kStateStopPending ||
           state == kStateContinuePending || state == kStatePausePending;
}

// Whether a service in this state is still on its way to where the request sent it.
bool OnItsWay(Request request, uint32_t state) {
    if (request == Request::Start)
        return state == kStateStartPending || state == kStateStopPending;
    return state != kStateStopped;
}

uint32_t PollInterval(uint32_t waitHint) {
    const uint32_t tenth = waitHint / 10;
    return tenth < kMinPollMs ? kMinPollMs : tenth > kMaxPollMs ? kMaxPollMs : tenth;
}

// Queries the service, then keeps querying while it is on its way. Returns 0 with the last
// status, or the error of a failed query.
uint32_t Follow(ServiceSession& session, Request request, FollowClock& clock, uint32_t boundMs,
                ServiceStatusFields& status) {
    uint32_t error = session.QueryStatus(status);
    if (error != 0)
        return error;
    const uint64_t begun = clock.NowMs();
    uint64_t lastProgress = begun;
    while (OnItsWay(request, status.dwCurrentState)) {
        const uint64_t waited = clock.NowMs() - begun;
        if (waited >= boundMs)
            break;
        uint32_t wait = PollInterval(status.dwWaitHint);
        if (wait > boundMs - waited)
            wait = static_cast<uint32_t>(boundMs - waited);
        clock.Wait(wait);
        const ServiceStatusFields before = status;
        error = session.QueryStatus(status);
        if (error != 0)
            return error;
        const uint64_t now = clock.NowMs();
        if (status.dwCheckPoint > before.dwCheckPoint ||
            status.dwCurrentState != before.dwCurrentState) {
            lastProgress = now;
        } else if (IsPending(status.dwCurrentState) && status.dwWaitHint > 0 &&
                   now - lastProgress > status.dwWaitHint) {
            break;  // it promised progress within its wait hint and made none
        }
        // A wait hint of 0 promises nothing (many services report their pending states so): only
        // the bound ends the wait for such a service.
    }
    return 0;
}

// Tells how a followed service ended: there, stopped with an exit code, or not there in time.
void JudgeOutcome(Request request, ServiceControlResult& result) {
    const ServiceStatusFields& status = result.status;
    result.followed = true;
    if (request == Request::Stop) {
        result.succeeded = status.dwCurrentState == kStateStopped;
        result.error = result.succeeded ? 0 : kErrorServiceRequestTimeout;
        return;
    }
    if (status.dwCurrentState == kStateStopped) {
        result.error = status.dwWin32ExitCode;
        if (result.error == kErrorServiceSpecificError)
            result.serviceSpecificError = status.dwServiceSpecificExitCode;
        return;
    }
    if (OnItsWay(Request::Start, status.dwCurrentState)) {
        result.error = kErrorServiceRequestTimeout;
        return;
    }
    result.succeeded = true;
}

// A service already on its way to the asked-for state needs no request. The session lives only
// inside this call, so its handles are closed after the error is taken.
bool Control(ServiceManagerApi& services, const std::u16string& name, Request request,
             FollowClock& clock, uint32_t boundMs, ServiceControlResult& result) {
    result = ServiceControlResult();
    std::unique_ptr<ServiceSession> session;
    // The rights of this request and of the status queries that follow it, and no more.
    const uint32_t access = request == Request::Start ? kStartAccess : kStopAccess;
    result.error = services.OpenServiceSession(name, access, session);
    if (result.error != 0 || !session)
        return false;
    ServiceStatusFields status;
    result.error = session->QueryStatus(status);
    if (result.error != 0)
        return false;
    const uint32_t state = status.dwCurrentState;
    if (request == Request::Start) {
        if (!IsStartedOrStarting(state))
            result.error = session->Start();
    } else if (state == kStateStopped) {
        result.alreadyStopped = true;
        return false;
    } else if (state != kStateStopPending) {
        result.error = session->Stop();
    }
    if (result.error != 0)
        return false;
    result.error = Follow(*session, request, clock, boundMs, result.status);
    if (result.error != 0)
        return false;
    JudgeOutcome(request, result);
    return result.succeeded;
}

}  // namespace

bool StartServiceAndFollow(ServiceManagerApi& services, const std::u16string& name,
                           FollowClock& clock, uint32_t boundMs, ServiceControlResult& result) {
    return Control(services, name, Request::Start, clock, boundMs, result);
}

bool StopServiceAndFollow(ServiceManagerApi& services, const std::u16string& name,
                          FollowClock& clock, uint32_t boundMs, ServiceControlResult& result) {
    return Control(services, name, Request::Stop, clock, boundMs, result);
}

uint32_t ChangeServiceStartType(ServiceManagerApi& services, const std::u16string& serviceName,
                                uint32_t startType) {
    if (startType > kStartDisabled)
        return kErrorInvalidParameter;
    std::unique_ptr<ServiceSession> session;
    uint32_t error = services.OpenServiceSession(serviceName, kChangeStartTypeAccess, session);
    if (error != 0 || !session)
        return error;
    ServiceStatusFields status;
    error = session->QueryStatus(status);
    if (error != 0)
        return error;
    // Windows refuses these for a Win32 service; a manager that took them would leave a service
    // that never loads.
    if ((status.dwServiceType & kServiceTypeWin32) != 0 && startType <= kStartSystem)
        return kErrorInvalidParameter;
    return session->ChangeStartType(startType);
}

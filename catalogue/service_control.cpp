// Starting and stopping one service by name. A service already on its way to the asked-for state
// needs no request; the result says which call failed so the caller can explain it.
#include "catalogue/service_list.h"

namespace {

enum class Request { Start, Stop };

bool IsStartedOrStarting(uint32_t state) {
    return state == kStateStartPending || state == kStateRunning || state == kStateContinuePending;
}

bool IsStoppedOrStopping(uint32_t state) {
    return state == kStateStopped || state == kStateStopPending;
}

// The session lives only inside this call, so its handles are closed after the error is taken.
bool Control(ServiceManagerApi& services, const char* name, Request request,
             ServiceControlResult& result) {
    result = ServiceControlResult();
    if (name == nullptr)
        return false;
    std::unique_ptr<ServiceSession> session;
    result.error = services.OpenServiceSession(name, session);
    if (result.error != 0 || !session)
        return false;
    uint32_t state = 0;
    result.error = session->QueryState(state);
    if (result.error != 0)
        return false;
    if (request == Request::Start) {
        if (IsStartedOrStarting(state))
            return result.succeeded = true;
        result.error = session->Start();
    } else {
        if (IsStoppedOrStopping(state)) {
            result.alreadyStopped = true;
            return false;
        }
        result.error = session->Stop();
    }
    result.succeeded = result.error == 0;
    return result.succeeded;
}

}  // namespace

bool CServiceList::StartServiceByName(const char* name, ServiceControlResult* result) {
    ServiceControlResult local;
    return Control(services_, name, Request::Start, result ? *result : local);
}

bool CServiceList::StopServiceByName(const char* name, ServiceControlResult* result) {
    ServiceControlResult local;
    return Control(services_, name, Request::Stop, result ? *result : local);
}

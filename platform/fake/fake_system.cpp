// The fake service manager: enumeration passes, sessions and the state changes of start and stop.
#include "platform/ascii_case.h"
#include "platform/fake/fake_system.h"

#include "platform/utf16.h"

class FakeSystem::Session : public ServiceSession {
public:
    Session(FakeSystem& system, FakeService& service) : system_(system), service_(service) {
        ++system_.openSessions_;
    }
    ~Session() override { --system_.openSessions_; }

    uint32_t QueryStatus(ServiceStatusFields& status) override {
        if (service_.queryError != 0)
            return service_.queryError;
        ServiceStatusFields& current = service_.entry.status;
        if (!service_.queued.empty()) {
            const uint32_t type = current.dwServiceType;
            current = service_.queued.front();
            current.dwServiceType = type;
            service_.queued.pop_front();
        }
        status = current;
        return 0;
    }

    uint32_t Start() override {
        ++service_.startRequests;
        if (service_.startError != 0)
            return service_.startError;
        if (service_.entry.status.dwCurrentState != kStateStopped)
            return kErrorServiceAlreadyRunning;
        Lead(service_.afterStart, kStateRunning);
        return 0;
    }

    uint32_t Stop() override {
        ++service_.stopRequests;
        if (service_.stopError != 0)
            return service_.stopError;
        if (service_.entry.status.dwCurrentState == kStateStopped)
            return kErrorServiceNotActive;
        Lead(service_.afterStop, kStateStopped);
        return 0;
    }

    // As the manager does: the key's "Start" is written and used from now on; boot and system
    // start are for drivers only.
    uint32_t ChangeStartType(uint32_t startType) override {
        ++service_.changeRequests;
        if (service_.deleted)
            return kErrorServiceMarkedForDelete;
        if (service_.changeError != 0)
            return service_.changeError;
        if (startType > 4 ||
            ((service_.entry.status.dwServiceType & kServiceTypeWin32) != 0 && startType <= 1)) {
            return kErrorInvalidParameter;
        }
        system_.SetDword(ServiceKey(service_.entry.serviceName), "Start", startType);
        return 0;
    }

private:
    // The service goes through the script, or straight to the final state when there is none.
    void Lead(const std::vector<ServiceStatusFields>& script, uint32_t finalState) {
        service_.queued.assign(script.begin(), script.end());
        if (script.empty()) {
            ServiceStatusFields& status = service_.entry.status;
            status.dwCurrentState = finalState;
            status.dwCheckPoint = 0;
            status.dwWaitHint = 0;
        }
    }

    FakeSystem& system_;
    FakeService& service_;
};

void FakeSystem::SetEnumerationFails(uint32_t serviceType, bool fails) {
    enumerationFails_[serviceType] = fails;
}

FakeService& FakeSystem::AddEntry(uint32_t passType, const std::string& name,
                                  uint32_t currentState) {
    FakeService service;
    service.passType = passType;
    service.entry.serviceName = name;
    service.entry.serviceNameW = Utf8ToUtf16(name.c_str());
    service.entry.displayName = name + " display";
    service.entry.status.dwServiceType = passType == kServiceTypeWin32 ? 0x10 : 0x01;
    service.entry.status.dwCurrentState = currentState;
    services_.push_back(service);
    return services_.back();
}

FakeService& FakeSystem::AddService(uint32_t passType, const std::string& name,
                                    const std::string& imagePath, uint32_t start,
                                    uint32_t currentState) {
    std::string key = ServiceKey(name);
    SetString(key, "ImagePath", imagePath, kRegExpandSz);
    SetDword(key, "Start", start);
    return AddEntry(passType, name, currentState);
}

void FakeSystem::DeleteService(const std::string& name) {
    if (FakeService* service = Service(name)) {
        service->deleted = true;
        DeleteKey(ServiceKey(service->entry.serviceName));
    }
}

FakeService* FakeSystem::Service(const std::string& name) {
    for (FakeService& service : services_) {
        if (EqualsNoCase(service.entry.serviceName, name))
            return &service;
    }
    return nullptr;
}

std::string FakeSystem::ServiceKey(const std::string& name) {
    return std::string(kServicesKey) + "\\" + name;
}

std::string FakeSystem::ParametersKey(const std::string& name) {
    return ServiceKey(name) + "\\Parameters";
}

bool FakeSystem::EnumerateServices(uint32_t serviceType, std::vector<ServiceEntry>& entries) {
    entries.clear();
    if (managerFails_ || enumerationFails_[serviceType])
        return false;
    for (const FakeService& service : services_) {
        if (service.passType == serviceType && !service.deleted)
            entries.push_back(service.entry);
    }
    return true;
}

uint32_t FakeSystem::OpenServiceSession(const std::u16string& serviceName,
                                        std::unique_ptr<ServiceSession>& session) {
    session.reset();
    if (managerFails_)
        return kErrorAccessDenied;
    FakeService* service = FindOpenable(serviceName);
    if (service == nullptr)
        return kErrorServiceDoesNotExist;
    if (service->openError != 0)
        return service->openError;
    session.reset(new Session(*this, *service));
    return 0;
}

FakeService* FakeSystem::FindOpenable(const std::u16string& serviceName) {
    // The manager's own name first: two names can read alike in UTF-8 and still be two services.
    FakeService* service = nullptr;
    for (FakeService& candidate : services_) {
        if (candidate.entry.serviceNameW == serviceName && !service)
            service = &candidate;
    }
    if (!service)
        service = Service(Utf16ToUtf8(serviceName));
    return service == nullptr || service->deleted ? nullptr : service;
}

// The fake's manager, open for a pass of configuration queries.
class FakeSystem::ConfigQuery : public ServiceConfigQuery {
public:
    explicit ConfigQuery(FakeSystem& system) : system_(system) {}

    uint32_t Query(const std::u16string& serviceName, ServiceConfigAnswer& answer) override {
        answer = ServiceConfigAnswer();
        FakeService* service = system_.FindOpenable(serviceName);
        if (service == nullptr)
            return kErrorServiceDoesNotExist;
        if (service->configError != 0)
            return service->configError;
        answer = service->config;
        return 0;
    }

private:
    FakeSystem& system_;
};

uint32_t FakeSystem::OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) {
    query.reset();
    if (managerFails_)
        return kErrorAccessDenied;
    query.reset(new ConfigQuery(*this));
    return 0;
}

// The fake service manager: enumeration passes, sessions and the state changes of start and stop.
#include "platform/fake/fake_system.h"

#include "platform/fake/fake_text.h"

class FakeSystem::Session : public ServiceSession {
public:
    Session(FakeSystem& system, FakeService& service) : system_(system), service_(service) {
        ++system_.openSessions_;
    }
    ~Session() override { --system_.openSessions_; }

    uint32_t QueryState(uint32_t& currentState) override {
        if (service_.queryError != 0)
            return service_.queryError;
        currentState = service_.entry.status.dwCurrentState;
        return 0;
    }

    uint32_t Start() override {
        ++service_.startRequests;
        if (service_.startError != 0)
            return service_.startError;
        uint32_t& state = service_.entry.status.dwCurrentState;
        if (state != kStateStopped)
            return kErrorServiceAlreadyRunning;
        state = kStateRunning;
        return 0;
    }

    uint32_t Stop() override {
        ++service_.stopRequests;
        if (service_.stopError != 0)
            return service_.stopError;
        uint32_t& state = service_.entry.status.dwCurrentState;
        if (state == kStateStopped)
            return kErrorServiceNotActive;
        state = kStateStopped;
        return 0;
    }

private:
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

FakeService* FakeSystem::Service(const std::string& name) {
    for (FakeService& service : services_) {
        if (FoldAscii(service.entry.serviceName) == FoldAscii(name))
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
        if (service.passType == serviceType)
            entries.push_back(service.entry);
    }
    return true;
}

uint32_t FakeSystem::OpenServiceSession(const char* serviceName,
                                        std::unique_ptr<ServiceSession>& session) {
    session.reset();
    if (managerFails_)
        return kErrorAccessDenied;
    FakeService* service = serviceName ? Service(serviceName) : nullptr;
    if (service == nullptr)
        return kErrorServiceDoesNotExist;
    if (service->openError != 0)
        return service->openError;
    session.reset(new Session(*this, *service));
    return 0;
}

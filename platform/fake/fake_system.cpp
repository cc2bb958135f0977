// The fake service manager: enumeration passes, sessions and the state changes of start and stop.
#include "platform/ascii_case.h"
#include "platform/fake/fake_system.h"

#include <cstring>

#include "platform/enum_pages.h"
#include "platform/utf16.h"

namespace {

// The bytes an entry takes in EnumServicesStatusW's buffer: its ENUM_SERVICE_STATUSW (two pointers
// and a SERVICE_STATUS: 48 bytes in a 64-bit process) and its two UTF-16 texts with their NULs.
uint32_t EntryBytes(const ServiceEntry& entry) {
    const std::size_t name = Utf8ToUtf16(entry.serviceName.c_str()).size() + 1;
    const std::size_t display = Utf8ToUtf16(entry.displayName.c_str()).size() + 1;
    return static_cast<uint32_t>(48 + 2 * (name + display));
}

}  // namespace

class FakeSystem::Session : public ServiceSession {
public:
    Session(FakeSystem& system, FakeService& service, uint32_t access)
        : system_(system), service_(service), access_(access) {
        ++system_.openSessions_;
    }
    ~Session() override { --system_.openSessions_; }

    uint32_t QueryStatus(ServiceStatusFields& status) override {
        if ((access_ & kServiceQueryStatus) == 0)
            return kErrorAccessDenied;
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
        if ((access_ & kServiceStart) == 0)
            return kErrorAccessDenied;
        if (service_.startError != 0)
            return service_.startError;
        if (service_.entry.status.dwCurrentState != kStateStopped)
            return kErrorServiceAlreadyRunning;
        Lead(service_.afterStart, kStateRunning);
        return 0;
    }

    uint32_t Stop() override {
        ++service_.stopRequests;
        if ((access_ & kServiceStop) == 0)
            return kErrorAccessDenied;
        if (service_.stopError != 0)
            return service_.stopError;
        if (service_.entry.status.dwCurrentState == kStateStopped)
            return kErrorServiceNotActive;
        if (system_.HasActiveDependents(service_))
            return kErrorDependentServicesRunning;
        Lead(service_.afterStop, kStateStopped);
        return 0;
    }

    // As the manager does: the key's "Start" is written and used from now on; boot and system
    // start are for drivers only.
    uint32_t ChangeStartType(uint32_t startType) override {
        ++service_.changeRequests;
        if ((access_ & kServiceChangeConfig) == 0)
            return kErrorAccessDenied;
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
    uint32_t access_;  // the rights the session was opened with
};

void FakeSystem::SetEnumerationFails(uint32_t serviceType, bool fails, uint32_t error) {
    enumerationErrors_[serviceType] = fails ? error : 0;
}

bool FakeSystem::Grants(const std::string& service, uint32_t asked, uint32_t granted) {
    accessRequests_.push_back(AccessRequest{service, asked});
    return (asked & ~granted) == 0;
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

uint32_t FakeSystem::EnumerationPage(const std::vector<const FakeService*>& listed, uint8_t* bytes,
                                     uint32_t size, uint32_t& resume, uint32_t& bytesNeeded,
                                     uint32_t& count) {
    ++enumerationCalls_;
    const std::size_t first = resume;
    if (first > listed.size())
        return kErrorInvalidParameter;
    const uint32_t room =
        paging_ == Paging::Windows && size > kEnumMaxPageBytes ? kEnumMaxPageBytes : size;
    uint64_t used = 0;
    std::size_t end = first;
    while (end < listed.size() && used + EntryBytes(listed[end]->entry) <= room)
        used += EntryBytes(listed[end++]->entry);
    uint64_t rest = 0;
    for (std::size_t i = end; i < listed.size(); ++i)
        rest += EntryBytes(listed[i]->entry);
    if (rest != 0 && paging_ == Paging::Wine) {
        // Nothing filled, yet a count, and the bytes of every entry from the resume handle on.
        count = static_cast<uint32_t>(listed.size());
        bytesNeeded = static_cast<uint32_t>(used + rest);
        return kErrorMoreData;
    }
    // Each entry filled is its place in the list; an entry takes far more than the 4 bytes.
    for (std::size_t i = first; i < end; ++i) {
        const uint32_t index = static_cast<uint32_t>(i);
        std::memcpy(bytes + (i - first) * sizeof index, &index, sizeof index);
    }
    count = static_cast<uint32_t>(end - first);
    if (rest == 0) {
        resume = 0;
        return 0;
    }
    resume = static_cast<uint32_t>(end);
    bytesNeeded = static_cast<uint32_t>(rest);
    return kErrorMoreData;
}

EnumerationResult FakeSystem::EnumerateServices(uint32_t serviceType,
                                                std::vector<ServiceEntry>& entries) {
    entries.clear();
    EnumerationResult result;
    if (managerFails_ || !Grants(std::string(), kEnumerationAccess, managerRights_)) {
        result.error = kErrorAccessDenied;
        result.managerUnavailable = true;
        return result;
    }
    result.error = enumerationErrors_[serviceType];
    if (result.error != 0)
        return result;
    std::vector<const FakeService*> listed;
    for (const FakeService& service : services_) {
        if (service.passType == serviceType && !service.deleted)
            listed.push_back(&service);
    }
    auto call = [&](uint8_t* bytes, uint32_t size, uint32_t& resume, uint32_t& bytesNeeded,
                    uint32_t& count) {
        return EnumerationPage(listed, bytes, size, resume, bytesNeeded, count);
    };
    auto take = [&](const uint8_t* bytes, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t index = 0;
            std::memcpy(&index, bytes + i * sizeof index, sizeof index);
            entries.push_back(listed[index]->entry);
        }
    };
    result.error = EnumerateInPages(call, take);
    if (result.error != 0)
        entries.clear();
    return result;
}

uint32_t FakeSystem::OpenServiceSession(const std::u16string& serviceName, uint32_t access,
                                        std::unique_ptr<ServiceSession>& session) {
    session.reset();
    FakeService* service = nullptr;
    const uint32_t error = OpenService(serviceName, access, service);
    if (error == 0)
        session.reset(new Session(*this, *service, access));
    return error;
}

uint32_t FakeSystem::OpenService(const std::u16string& serviceName, uint32_t access,
                                 FakeService*& service) {
    service = nullptr;
    if (managerFails_ || !Grants(std::string(), kSessionManagerAccess, managerRights_))
        return kErrorAccessDenied;
    service = FindOpenable(serviceName);
    if (service == nullptr)
        return kErrorServiceDoesNotExist;
    if (service->openError != 0)
        return service->openError;
    return Grants(service->entry.serviceName, access, service->grantedAccess) ? 0
                                                                              : kErrorAccessDenied;
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

// The fake's manager, open for a pass of configuration queries: each service opened with
// kConfigQueryAccess, as the real one is.
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
        if (!system_.Grants(service->entry.serviceName, kConfigQueryAccess, service->grantedAccess))
            return kErrorAccessDenied;
        answer = service->config;
        return 0;
    }

private:
    FakeSystem& system_;
};

uint32_t FakeSystem::OpenConfigQuery(std::unique_ptr<ServiceConfigQuery>& query) {
    query.reset();
    if (managerFails_ || !Grants(std::string(), kConfigQueryManagerAccess, managerRights_))
        return kErrorAccessDenied;
    query.reset(new ConfigQuery(*this));
    return 0;
}

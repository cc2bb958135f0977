// The fake manager's dependencies: the services that depend on a service, listed as
// EnumDependentServicesW lists them, and the refusal to stop a service they need.
#include "platform/ascii_case.h"
#include "platform/fake/fake_system.h"

namespace {

bool IsActive(const FakeService& service) {
    return !service.deleted && service.entry.status.dwCurrentState != kStateStopped;
}

bool DependsOn(const FakeService& service, const std::string& name) {
    for (const std::string& needed : service.config.dependOnService) {
        if (EqualsNoCase(needed, name))
            return true;
    }
    return false;
}

}  // namespace

std::vector<const FakeService*> FakeSystem::DependentsOf(const FakeService& service) const {
    // Depth first: a dependent's own dependents are put before it, so the list runs in the reverse
    // of the start order, as Windows gives it. A cycle (which Windows refuses to create) ends at a
    // service already seen.
    std::vector<const FakeService*> order;
    std::vector<const FakeService*> seen{&service};
    auto visit = [&](const FakeService& needed, auto& self) -> void {
        for (const FakeService& candidate : services_) {
            bool known = false;
            for (const FakeService* s : seen)
                known = known || s == &candidate;
            if (known || candidate.deleted || !DependsOn(candidate, needed.entry.serviceName))
                continue;
            seen.push_back(&candidate);
            self(candidate, self);
            order.push_back(&candidate);
        }
    };
    visit(service, visit);
    return order;
}

bool FakeSystem::HasActiveDependents(const FakeService& service) const {
    for (const FakeService* dependent : DependentsOf(service)) {
        if (IsActive(*dependent))
            return true;
    }
    return false;
}

uint32_t FakeSystem::EnumerateActiveDependents(const std::u16string& serviceName,
                                               std::vector<ServiceEntry>& dependents) {
    dependents.clear();
    FakeService* service = nullptr;
    const uint32_t error = OpenService(serviceName, kEnumerateDependentsAccess, service);
    if (error != 0)
        return error;
    for (const FakeService* dependent : DependentsOf(*service)) {
        if (IsActive(*dependent))
            dependents.push_back(dependent->entry);
    }
    return 0;
}

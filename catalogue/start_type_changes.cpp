#include "catalogue/start_type_changes.h"

#include "catalogue/service_control.h"

uint32_t StartTypeChanges::Current(const std::u16string& serviceNameW, uint32_t recordStart) const {
    const auto given = given_.find(serviceNameW);
    return given == given_.end() ? recordStart : given->second;
}

void StartTypeChanges::Changed(const std::u16string& serviceNameW, const std::string& serviceName,
                               uint32_t recordStart, uint32_t to) {
    const uint32_t from = Current(serviceNameW, recordStart);
    given_[serviceNameW] = to;
    if (from == to)
        return;
    hasLast_ = from <= kStartDisabled;
    last_ = StartTypeChange{serviceNameW, serviceName, from, to};
}

uint32_t StartTypeChanges::Undo(ServiceManagerApi& services) {
    if (!hasLast_)
        return 0;
    const uint32_t error = ChangeServiceStartType(services, last_.serviceNameW, last_.from);
    if (error == 0) {
        given_[last_.serviceNameW] = last_.from;
        hasLast_ = false;
    }
    return error;
}

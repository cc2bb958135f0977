// The start types the properties dialog has given services, and the last change, which can be set
// back (Ctrl+Z). The catalogue's records keep the start type of their load, so the type a service
// had before a change is the one the program last gave it since that load, or else its record's.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/platform.h"

// One change of a service's start type.
struct StartTypeChange {
    std::u16string serviceNameW;  // the manager's own name, which the service opens by
    std::string serviceName;      // as the list shows it
    uint32_t from = 0;
    uint32_t to = 0;
};

class StartTypeChanges {
public:
    // The start type the service has as far as the program knows: the one it last gave it, or
    // recordStart, its record's.
    uint32_t Current(const std::u16string& serviceNameW, uint32_t recordStart) const;
    // The service (whose record holds recordStart) now has the start type to. A change to the type
    // it had is none, and leaves the last change as it was; one from a type that is unknown cannot
    // be set back, and leaves nothing to undo.
    void Changed(const std::u16string& serviceNameW, const std::string& serviceName,
                 uint32_t recordStart, uint32_t to);
    // The change to set back, or null when there is nothing to undo.
    const StartTypeChange* Last() const { return hasLast_ ? &last_ : nullptr; }
    // Sets the last change back through the manager, with the start type alone (the manager
    // needs SERVICE_CHANGE_CONFIG | SERVICE_QUERY_STATUS on the service for it). Returns 0, and
    // there is nothing left to undo, or the error code, and the change can be tried again.
    uint32_t Undo(ServiceManagerApi& services);
    // The records were loaded again: they hold the types the services have.
    void CatalogueLoaded() { given_.clear(); }

private:
    std::map<std::u16string, uint32_t> given_;  // since the last load, by the manager's name
    StartTypeChange last_;
    bool hasLast_ = false;
};

// What the window and the export say of a load of the catalogue that is not whole: the service
// manager that could not be opened at all, an enumeration pass that failed, records that could not
// be made for want of memory. A list that claims every service must not come out shorter in
// silence.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/service_list.h"

// The message, each shortfall with the system's reason; empty for a whole load.
std::string LoadShortfallText(const CServiceList& catalogue);

// The system's error code of the first shortfall (ERROR_NOT_ENOUGH_MEMORY for records left out);
// 0 for a whole load.
uint32_t LoadShortfallError(const CServiceList& catalogue);

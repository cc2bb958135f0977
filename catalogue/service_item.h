// One service or driver as the catalogue knows it: the service manager's enumeration entry,
// enriched with values of the service's registry key. A plain value: copies carry their own texts.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/text.h"
#include "platform/service_status.h"

// Service kinds: which enumeration pass found a record (SERVICE_WIN32, SERVICE_DRIVER).
constexpr int32_t kKindWin32 = 48;
constexpr int32_t kKindDriver = 11;

// Svchost groups.
constexpr int32_t kSvchostNone = 0;
constexpr int32_t kSvchostLocalService = 1;
constexpr int32_t kSvchostNetsvcs = 2;

// Start types ("Start" of the service's key). A value that cannot be read as a REG_DWORD is
// unknown: no list text, no combo-box item and no category stands for it.
constexpr uint32_t kStartBoot = 0;
constexpr uint32_t kStartSystem = 1;
constexpr uint32_t kStartDisabled = 4;
constexpr uint32_t kStartUnknown = 0xFFFFFFFF;

struct SERVICE_ITEM {
    std::string lpServiceName;          // the service's key name
    std::u16string lpServiceNameW;      // the manager's own name: keys and services open by it
    std::string lpDisplayName;          // never null: the service name when the manager gives none
    ServiceStatusFields ServiceStatus;  // the status at enumeration time
    uint32_t Start = kStartUnknown;     // 0 boot, 1 system, 2 automatic, 3 demand, 4 disabled
    char Description[kTextBytes] = {};  // the display name when the registry has none
    char ImagePath[kTextBytes] = {};    // rewritten to a file path
    char ServiceDll[kTextBytes] = {};
    char Group[kTextBytes] = {};
    int32_t ServiceKind = 0;  // kKindWin32 or kKindDriver
    int32_t SvchostGroup = kSvchostNone;
};

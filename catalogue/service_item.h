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

// QuotedFileBytes of an image path that was not quoted.
constexpr uint32_t kNotQuoted = 0xFFFFFFFF;

struct SERVICE_ITEM {
    std::string lpServiceName;          // the service's key name
    std::u16string lpServiceNameW;      // the manager's own name: keys and services open by it
    std::string lpDisplayName;          // never null: the service name when the manager gives none
    ServiceStatusFields ServiceStatus;  // the status at enumeration time
    uint32_t Start = kStartUnknown;     // 0 boot, 1 system, 2 automatic, 3 demand, 4 disabled
    char Description[kTextBytes] = {};  // the display name when the registry has none
    char ImagePath[kTextBytes] = {};    // rewritten to a file path
    // For an image path stored quoted, the bytes at the start of ImagePath that its quotes
    // enclosed: the file that runs, whatever a shorter prefix names. kNotQuoted otherwise.
    uint32_t QuotedFileBytes = kNotQuoted;
    char ServiceDll[kTextBytes] = {};
    char Group[kTextBytes] = {};
    int32_t ServiceKind = 0;  // kKindWin32 or kKindDriver
    int32_t SvchostGroup = kSvchostNone;
};

// The image path as a command line again, for finding its file as process creation does: the part
// that was quoted is quoted again, so it is read as the one file it names.
std::string ImageCommandLine(const SERVICE_ITEM& item);

// A per-user service instance (kServiceTypeUserServiceInstance, named "<template>_<LUID>"): true
// with the name of the template it was made from, whose key holds its configuration.
bool UserServiceTemplate(const SERVICE_ITEM& item, std::string& templateName);

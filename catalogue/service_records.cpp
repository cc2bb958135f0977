// One enumeration pass: each entry of the service manager becomes a record, enriched from the
// service's registry key, which is opened once (below the Services key, opened once for the pass)
// and read value by value. An entry without a readable image path is left out; one whose record
// cannot be had for want of memory is counted (LoadShortfall) and the pass goes on.
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "catalogue/registry_values.h"
#include "catalogue/service_list.h"
#include "platform/ascii_case.h"
#include "platform/utf16.h"

namespace {

// A text that fits its field; one that is missing or too long leaves the field empty.
void ReadTextField(RegistryKey& key, const char* name, char* field) {
    std::string text;
    if (ReadTextValue(key, name, text) && TextFits(text.c_str()))
        CopyText(field, kTextBytes, text.c_str());
}

// Descriptions may be indirect strings ("@file,-id") that only the resource they name can resolve;
// when it cannot, the raw value is still more telling than nothing. One left by an INF file
// carries its own text. A text too long for the field, resolved or raw, gives way to the display
// name.
void ReadDescription(RegistryKey& key, SERVICE_ITEM& item) {
    std::string raw;
    std::string resolved;
    const char* text = item.lpDisplayName.c_str();
    if (ReadTextValue(key, "Description", raw)) {
        if (raw[0] == '@' && (InfStringDefaultText(raw, resolved) ||
                              key.LoadIndirectString("Description", resolved))) {
            if (TextFits(resolved.c_str()))
                text = resolved.c_str();
        } else if (TextFits(raw.c_str())) {
            text = raw.c_str();
        }
    }
    CopyText(item.Description, kTextBytes, text);
}

// Only a REG_DWORD of four bytes is a start type; anything else leaves it unknown.
uint32_t ReadStart(RegistryKey& key) {
    uint32_t start = kStartUnknown;
    return ReadDwordValue(key, "Start", start) ? start : kStartUnknown;
}

// The group after "-k" names a value of the SvcHost key, and Windows compares value names without
// regard to case: "-k NetSvcs" is the netsvcs group. A longer name that begins with a group's
// name still counts as that group.
int32_t SvchostGroupOf(const SERVICE_ITEM& item) {
    if (item.ServiceDll[0] == '\0')
        return kSvchostNone;
    const std::string path = FoldAscii(item.ImagePath);
    if (path.find("-k localservice") != std::string::npos)
        return kSvchostLocalService;
    if (path.find("-k netsvcs") != std::string::npos)
        return kSvchostNetsvcs;
    return kSvchostNone;
}

// False when the service has no readable image path: such a service is not catalogued. A path
// too long for the field is cut, so a long value cannot hide its service.
bool EnrichRecord(RegistryKey& key, const char* windowsDirectory, SERVICE_ITEM& item) {
    std::string imagePath;
    if (!ReadTextValue(key, "ImagePath", imagePath))
        return false;
    // Rewritten whole, then cut: a long path keeps as much of the file path as the field holds.
    CopyText(item.ImagePath, kTextBytes,
             CServiceList::NormalizedImagePath(windowsDirectory, imagePath).c_str());
    ReadDescription(key, item);
    ReadTextField(key, "Group", item.Group);
    item.Start = ReadStart(key);
    if (std::unique_ptr<RegistryKey> parameters = key.OpenSubKey(u"Parameters"))
        ReadTextField(*parameters, "ServiceDll", item.ServiceDll);
    item.SvchostGroup = SvchostGroupOf(item);
    return true;
}

}  // namespace

void CServiceList::Enumerate(bool win32) {
    char windowsDirectory[kTextBytes] = {};
    CopyText(windowsDirectory, sizeof windowsDirectory, services_.WindowsDirectory().c_str());

    // The standard containers report a failed allocation by throwing; it ends here, counted, so
    // that the entry is reported rather than silently missing.
    auto shortOfMemory = [this] {
        if (shortfall_.entries++ == 0)
            shortfall_.firstEntry = entriesSeen_;
    };
    std::vector<ServiceEntry> entries;
    std::unique_ptr<RegistryKey> servicesKey;
    try {
        if (!services_.EnumerateServices(win32 ? kServiceTypeWin32 : kServiceTypeDriver, entries))
            return;
        servicesKey = registry_.OpenKey(kServicesKeyW);
    } catch (const std::bad_alloc&) {
        shortOfMemory();
        return;
    }
    if (!servicesKey)
        return;  // no service's values can be read

    for (const ServiceEntry& entry : entries) {
        try {
            std::unique_ptr<SERVICE_ITEM> item(new SERVICE_ITEM());
            item->lpServiceName = entry.serviceName;
            item->lpServiceNameW = entry.serviceNameW.empty()
                                       ? Utf8ToUtf16(entry.serviceName.c_str())
                                       : entry.serviceNameW;
            item->lpDisplayName = entry.hasDisplayName ? entry.displayName : entry.serviceName;
            item->ServiceStatus = entry.status;
            item->ServiceKind = win32 ? kKindWin32 : kKindDriver;
            // The key is named by the manager's own UTF-16 name, whole, whatever its length.
            std::unique_ptr<RegistryKey> key = servicesKey->OpenSubKey(item->lpServiceNameW);
            if (key && EnrichRecord(*key, windowsDirectory, *item))
                items_.push_back(std::move(item));
        } catch (const std::bad_alloc&) {
            shortOfMemory();
        }
        ++entriesSeen_;
    }
}

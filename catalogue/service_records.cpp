// One enumeration pass: each entry of the service manager becomes a record, enriched from the
// service's registry key. Entries whose record cannot be built are left out silently.
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "catalogue/service_list.h"

namespace {

// A text value as the registry holds it. The spare byte keeps data that came without a NUL
// terminated; data longer than a field's characters counts as not fitting, like data too large.
struct TextValue {
    char text[kTextBytes + 1] = {};
    bool Read(RegistryApi& registry, const char* key, const char* name) {
        return registry.GetValue(key, name, text, kTextBytes) && TextFits(text);
    }
};

void ReadTextField(RegistryApi& registry, const char* key, const char* name, char* field) {
    TextValue value;
    if (value.Read(registry, key, name))
        CopyText(field, kTextBytes, value.text);
}

// Descriptions may be indirect strings ("@file,-id") that only the resource they name can resolve;
// when it cannot, the raw value is still more telling than nothing.
void ReadDescription(RegistryApi& registry, const char* key, SERVICE_ITEM& item) {
    const char* text = item.lpDisplayName.c_str();
    char raw[kTextBytes + 1] = {};
    char resolved[kTextBytes + 1] = {};
    bool read = registry.GetValue(key, "Description", raw, kTextBytes);
    if (read && raw[0] == '@' &&
        registry.LoadIndirectString(key, "Description", resolved, kTextBytes)) {
        if (TextFits(resolved))
            text = resolved;
    } else if (read && TextFits(raw)) {
        text = raw;
    }
    CopyText(item.Description, kTextBytes, text);
}

int32_t SvchostGroupOf(const SERVICE_ITEM& item) {
    if (item.ServiceDll[0] == '\0')
        return kSvchostNone;
    if (std::strstr(item.ImagePath, "-k LocalService"))
        return kSvchostLocalService;
    if (std::strstr(item.ImagePath, "-k netsvcs"))
        return kSvchostNetsvcs;
    return kSvchostNone;
}

// False when the service has no readable image path: such a service is not catalogued.
bool EnrichRecord(RegistryApi& registry, const char* windowsDirectory, SERVICE_ITEM& item) {
    char key[kTextBytes];
    FormatText(key, sizeof key, kTextMaxChars, "%s\\%s", kServicesKey, item.lpServiceName.c_str());
    TextValue imagePath;
    if (!imagePath.Read(registry, key, "ImagePath"))
        return false;
    CopyText(item.ImagePath, kTextBytes, imagePath.text);
    CServiceList::NormalizeImagePath(windowsDirectory, item.ImagePath);
    ReadDescription(registry, key, item);
    ReadTextField(registry, key, "Group", item.Group);
    uint32_t start = 0;
    if (registry.GetValue(key, "Start", &start, sizeof start))
        item.Start = start;

    char parametersKey[kTextBytes];
    FormatText(parametersKey, sizeof parametersKey, kTextMaxChars, "%s\\%s\\Parameters",
               kServicesKey, item.lpServiceName.c_str());
    ReadTextField(registry, parametersKey, "ServiceDll", item.ServiceDll);
    item.SvchostGroup = SvchostGroupOf(item);
    return true;
}

}  // namespace

void CServiceList::Enumerate(bool win32) {
    char windowsDirectory[kTextBytes] = {};
    CopyText(windowsDirectory, sizeof windowsDirectory, services_.WindowsDirectory().c_str());

    std::vector<ServiceEntry> entries;
    if (!services_.EnumerateServices(win32 ? kServiceTypeWin32 : kServiceTypeDriver, entries))
        return;

    for (const ServiceEntry& entry : entries) {
        std::unique_ptr<SERVICE_ITEM> item(new (std::nothrow) SERVICE_ITEM());
        if (!item)
            continue;
        item->lpServiceName = entry.serviceName;
        item->lpDisplayName = entry.hasDisplayName ? entry.displayName : entry.serviceName;
        item->ServiceStatus = entry.status;
        item->ServiceKind = win32 ? kKindWin32 : kKindDriver;
        if (!EnrichRecord(registry_, windowsDirectory, *item))
            continue;
        items_.push_back(std::move(item));
    }
}

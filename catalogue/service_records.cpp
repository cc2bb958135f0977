// One enumeration pass: each entry of the service manager becomes a record, enriched from the
// service's registry key, which is opened once (below the Services key, opened once for the pass)
// and read value by value. Every entry is listed: a value that cannot be read (or a key that
// cannot be opened) leaves its field empty, so a key made unreadable cannot hide a running
// service. An entry whose record cannot be had for want of memory is counted (LoadShortfall) and
// the pass goes on; a pass that fails is kept (PassResult).
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

// The image path as stored. A driver without one is loaded by the kernel from the drivers folder
// under its own name, so that is the path it has.
bool ReadImagePath(RegistryKey& key, const SERVICE_ITEM& item, std::string& imagePath) {
    if (ReadTextValue(key, "ImagePath", imagePath))
        return true;
    if (item.ServiceKind != kKindDriver)
        return false;
    imagePath = "\\SystemRoot\\System32\\drivers\\" + item.lpServiceName + ".sys";
    return true;
}

// The service DLL, from the "Parameters" key of the service's own key or, for a per-user service
// instance, of its template's: that is where an instance's configuration lives.
void ReadServiceDll(RegistryKey& key, RegistryKey* servicesKey, SERVICE_ITEM& item) {
    std::unique_ptr<RegistryKey> templateKey;
    RegistryKey* owner = &key;
    std::string templateName;
    if (UserServiceTemplate(item, templateName)) {
        const std::u16string& name = item.lpServiceNameW;
        templateKey =
            servicesKey ? servicesKey->OpenSubKey(name.substr(0, name.rfind(u'_'))) : nullptr;
        owner = templateKey.get();
    }
    if (!owner)
        return;
    if (std::unique_ptr<RegistryKey> parameters = owner->OpenSubKey(u"Parameters"))
        ReadTextField(*parameters, "ServiceDll", item.ServiceDll);
}

// Fills the record from its key; a value that cannot be read leaves its field as it was.
void EnrichRecord(RegistryKey& key, RegistryKey* servicesKey, const char* windowsDirectory,
                  SERVICE_ITEM& item) {
    std::string imagePath;
    if (ReadImagePath(key, item, imagePath)) {
        // Rewritten whole, then cut: a long path keeps as much of the file path as the field
        // holds, and what its quotes enclosed as much as the field holds of it.
        uint32_t quoted = kNotQuoted;
        CopyText(item.ImagePath, kTextBytes,
                 CServiceList::NormalizedImagePath(windowsDirectory, imagePath, &quoted).c_str());
        const uint32_t kept = static_cast<uint32_t>(std::strlen(item.ImagePath));
        item.QuotedFileBytes = quoted != kNotQuoted && quoted > kept ? kept : quoted;
    }
    ReadDescription(key, item);
    ReadTextField(key, "Group", item.Group);
    item.Start = ReadStart(key);
    ReadServiceDll(key, servicesKey, item);
    item.SvchostGroup = SvchostGroupOf(item);
}

}  // namespace

bool UserServiceTemplate(const SERVICE_ITEM& item, std::string& templateName) {
    if ((item.ServiceStatus.dwServiceType & kServiceTypeUserServiceInstance) == 0)
        return false;
    const std::string::size_type separator = item.lpServiceName.rfind('_');
    if (separator == std::string::npos || separator == 0)
        return false;
    templateName = item.lpServiceName.substr(0, separator);
    return true;
}

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
    EnumerationResult& pass = passes_[win32 ? 0 : 1];
    try {
        pass = services_.EnumerateServices(win32 ? kServiceTypeWin32 : kServiceTypeDriver, entries);
        if (pass.error != 0)
            return;
        // Without it every record keeps its empty fields; none is left out.
        servicesKey = registry_.OpenKey(kServicesKeyW);
    } catch (const std::bad_alloc&) {
        shortOfMemory();
        return;
    }

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
            CopyText(item->Description, kTextBytes, item->lpDisplayName.c_str());
            // The key is named by the manager's own UTF-16 name, whole, whatever its length.
            std::unique_ptr<RegistryKey> key =
                servicesKey ? servicesKey->OpenSubKey(item->lpServiceNameW) : nullptr;
            if (key)
                EnrichRecord(*key, servicesKey.get(), windowsDirectory, *item);
            items_.push_back(std::move(item));
        } catch (const std::bad_alloc&) {
            shortOfMemory();
        }
        ++entriesSeen_;
    }
}

// The catalogue: every Win32 service, then every driver, in the service manager's enumeration
// order, each enriched from its registry key. Constant between two loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "catalogue/service_control.h"
#include "catalogue/service_item.h"
#include "platform/platform.h"

// How a start or stop request ended.
struct ServiceControlResult {
    // The service got where it was sent (with following: it is there now).
    bool succeeded = false;
    // The service was already stopped (or stopping, when not followed) when a stop was asked for:
    // no request was made.
    bool alreadyStopped = false;
    // Why it failed: the error code of the call that failed; after following, the exit code the
    // service stopped with, or ERROR_SERVICE_REQUEST_TIMEOUT when it did not get there in time.
    // 0 for a service that stopped after its start without an exit code.
    uint32_t error = 0;
    // The service's own code, when error is ERROR_SERVICE_SPECIFIC_ERROR.
    uint32_t serviceSpecificError = 0;
    // The service was followed; status is the last one read.
    bool followed = false;
    ServiceStatusFields status;
};

class CServiceList {
public:
    CServiceList(ServiceManagerApi& services, RegistryApi& registry);
    virtual ~CServiceList();
    CServiceList(const CServiceList&) = delete;
    CServiceList& operator=(const CServiceList&) = delete;

    // Clear, then the Win32 pass, then the driver pass.
    void Reload();
    // One enumeration pass that appends records: Win32 services when win32 is true, else drivers.
    void Enumerate(bool win32);
    // Frees every record.
    void Clear();
    // Exchanges the records of the two catalogues (and what their loads left out); each keeps its
    // platform. A catalogue loaded and checked apart takes the place of a shown one this way,
    // without a second load.
    void Swap(CServiceList& other) {
        items_.swap(other.items_);
        std::swap(shortfall_, other.shortfall_);
        std::swap(entriesSeen_, other.entriesSeen_);
    }

    // What the last load left out for want of memory: how many entries of the service manager it
    // could not make a record of (a pass whose enumeration ran out counts as one), and the place of
    // the first among the entries of the load (the Win32 pass's first, then the drivers'). Such an
    // entry is never left out without a word: the window reports it, and a saved inventory is
    // refused at that record's line.
    struct Shortfall {
        std::size_t entries = 0;
        std::size_t firstEntry = 0;
    };
    const Shortfall& LoadShortfall() const { return shortfall_; }

    // The first record whose service name equals name exactly (case-sensitive), or null.
    const SERVICE_ITEM* Find(const char* name) const;
    // Cursor walk: GetFirst sets the cursor to -1, or to 0 and the first record.
    bool GetFirst(int32_t& cursor, const SERVICE_ITEM*& item) const;
    bool GetNext(int32_t& cursor, const SERVICE_ITEM*& item) const;
    // The record at a cursor position of a walk, or null outside the catalogue.
    const SERVICE_ITEM* GetAt(int32_t cursor) const;
    std::size_t GetCount() const { return items_.size(); }
    // The registry the records are read from (the properties dialog writes through it).
    RegistryApi& Registry() const { return registry_; }

    // Rewrites a stored image path into a file path, in place (path holds kTextBytes bytes), cut
    // to the field's characters.
    static void NormalizeImagePath(const char* windowsDirectory, char* path);
    // The same rewriting of a path of any length, uncut.
    static std::string NormalizedImagePath(const char* windowsDirectory, const std::string& path);

    // Service control by name. Neither reads nor changes the records. With a clock, an accepted
    // request (or a service found already on its way) is followed until the service gets there, for
    // at most boundMs. A record's lpServiceNameW is the name to pass; the text form is taken as
    // UTF-8.
    bool StartServiceByName(const std::u16string& name, ServiceControlResult* result = nullptr,
                            FollowClock* clock = nullptr, uint32_t boundMs = kFollowBoundMs);
    bool StopServiceByName(const std::u16string& name, ServiceControlResult* result = nullptr,
                           FollowClock* clock = nullptr, uint32_t boundMs = kFollowBoundMs);
    bool StartServiceByName(const char* name, ServiceControlResult* result = nullptr);
    bool StopServiceByName(const char* name, ServiceControlResult* result = nullptr);

    // The service manager the records come from (the properties dialog changes start types
    // through it).
    ServiceManagerApi& Services() const { return services_; }

private:
    ServiceManagerApi& services_;
    RegistryApi& registry_;
    // One allocation per record, so a record stays where it is while later ones are appended.
    std::vector<std::unique_ptr<SERVICE_ITEM>> items_;
    Shortfall shortfall_;
    std::size_t entriesSeen_ = 0;  // entries of the load's passes so far
};

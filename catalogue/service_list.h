// The catalogue: every Win32 service, then every driver, in the service manager's enumeration
// order, each enriched from its registry key. Constant between two loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/service_control.h"
#include "catalogue/service_item.h"
#include "platform/platform.h"

class CServiceList {
public:
    CServiceList(ServiceManagerApi& services, ServiceRegistryApi& registry);
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
        std::swap(passes_, other.passes_);
    }

    // How each enumeration pass of the last load ended (Enumerate's win32 flag names it). A pass
    // that failed listed nothing of its kind: the window says the list is incomplete and why, and
    // an export writes nothing.
    const EnumerationResult& PassResult(bool win32) const { return passes_[win32 ? 0 : 1]; }

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

    // Rewrites a stored image path into a file path, in place (path holds kTextBytes bytes), cut
    // to the field's characters.
    static void NormalizeImagePath(const char* windowsDirectory, char* path);
    // The same rewriting of a path of any length, uncut. For a quoted path, quotedBytes (when
    // given) receives the bytes of the result that the quotes enclosed, else kNotQuoted.
    static std::string NormalizedImagePath(const char* windowsDirectory, const std::string& path,
                                           uint32_t* quotedBytes = nullptr);

    // Service control by the manager's own name (a record's lpServiceNameW), following the service
    // until it gets there, for at most boundMs (service_control.h). Neither reads nor changes the
    // records.
    bool StartServiceByName(const std::u16string& name, FollowClock& clock,
                            ServiceControlResult& result, uint32_t boundMs = kFollowBoundMs) {
        return StartServiceAndFollow(services_, name, clock, boundMs, result);
    }
    bool StopServiceByName(const std::u16string& name, FollowClock& clock,
                           ServiceControlResult& result, uint32_t boundMs = kFollowBoundMs) {
        return StopServiceAndFollow(services_, name, clock, boundMs, result);
    }

    // The service manager the records come from (the properties dialog changes start types
    // through it).
    ServiceManagerApi& Services() const { return services_; }

private:
    ServiceManagerApi& services_;
    ServiceRegistryApi& registry_;
    // One allocation per record, so a record stays where it is while later ones are appended.
    std::vector<std::unique_ptr<SERVICE_ITEM>> items_;
    Shortfall shortfall_;
    std::size_t entriesSeen_ = 0;  // entries of the load's passes so far
    EnumerationResult passes_[2];  // the Win32 pass, the driver pass
};

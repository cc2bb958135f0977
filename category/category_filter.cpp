// The filter predicate: which records a category shows. Every test is an equality test; a field
// outside the known ones narrows nothing and leaves only the kind test.
#include "category/category_filter.h"

RunStateClass ClassifyRunState(uint32_t currentState) {
    switch (currentState) {
        case kStateStopped:
        case kStateStopPending:
            return RunStateClass::Stopped;
        case kStatePausePending:
        case kStatePaused:
            return RunStateClass::Paused;
        default:
            return RunStateClass::Started;
    }
}

namespace {

constexpr int32_t kAny = -1;
constexpr uint32_t kFileSystemDriver = 2;

bool RunStateHidden(const SERVICE_ITEM& item, int32_t value) {
    RunStateClass state = ClassifyRunState(item.ServiceStatus.dwCurrentState);
    switch (value) {
        case 0:
            return state != RunStateClass::Started;
        case 1:
            return state != RunStateClass::Stopped;
        case 2:
            return state != RunStateClass::Paused;
        default:
            return false;
    }
}

bool StartTypeHidden(const SERVICE_ITEM& item, int32_t value) {
    return value != kAny && static_cast<uint32_t>(value) != item.Start;
}

bool Win32GroupHidden(const SERVICE_ITEM& item, const CategoryFilter& filter) {
    switch (filter.group) {
        case kCategoryGroupRunState:
            return RunStateHidden(item, filter.value);
        case kCategoryGroupStartType:
            return StartTypeHidden(item, filter.value);
        case kCategoryGroupSvchost:
            return filter.value != kAny && filter.value != item.SvchostGroup;
        default:
            return false;
    }
}

bool DriverGroupHidden(const SERVICE_ITEM& item, const CategoryFilter& filter) {
    switch (filter.group) {
        case kCategoryGroupStartType:
            return StartTypeHidden(item, filter.value);
        case kCategoryGroupSvchost:
            return item.ServiceStatus.dwServiceType != kFileSystemDriver;
        default:
            return false;
    }
}

}  // namespace

bool IsFilteredOut(const SERVICE_ITEM& item, const CategoryFilter& filter) {
    bool kindMismatch = filter.kind != kAny && filter.kind != item.ServiceKind;
    if (filter.kind == kKindWin32 && Win32GroupHidden(item, filter))
        return true;
    if (filter.kind == kKindDriver && DriverGroupHidden(item, filter))
        return true;
    return kindMismatch;
}

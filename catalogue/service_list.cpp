// The catalogue as a container: ownership of the records, lookup by name and the cursor walk.
#include "catalogue/service_list.h"

#include <cstring>

CServiceList::CServiceList(ServiceManagerApi& services, ServiceRegistryApi& registry)
    : services_(services), registry_(registry) {}

CServiceList::~CServiceList() {
    Clear();
}

void CServiceList::Reload() {
    Clear();
    Enumerate(true);
    Enumerate(false);
}

void CServiceList::Clear() {
    // The pointer array keeps its storage for the next load.
    items_.clear();
    shortfall_ = Shortfall();
    entriesSeen_ = 0;
    passes_[0] = passes_[1] = EnumerationResult();
}

const SERVICE_ITEM* CServiceList::Find(const char* name) const {
    if (name == nullptr)
        return nullptr;
    for (const auto& item : items_) {
        if (std::strcmp(item->lpServiceName.c_str(), name) == 0)
            return item.get();
    }
    return nullptr;
}

bool CServiceList::GetFirst(int32_t& cursor, const SERVICE_ITEM*& item) const {
    cursor = -1;
    if (items_.empty())
        return false;
    cursor = 0;
    item = items_[0].get();
    return true;
}

bool CServiceList::GetNext(int32_t& cursor, const SERVICE_ITEM*& item) const {
    ++cursor;
    const SERVICE_ITEM* next = GetAt(cursor);
    if (!next)
        return false;
    item = next;
    return true;
}

const SERVICE_ITEM* CServiceList::GetAt(int32_t cursor) const {
    if (cursor < 0 || static_cast<std::size_t>(cursor) >= items_.size())
        return nullptr;
    return items_[static_cast<std::size_t>(cursor)].get();
}

// Categories of the tree: each narrows the service list to the records one CategoryFilter shows.
#pragma once

#include <cstddef>
#include <cstdint>

#include "catalogue/service_item.h"

// The groups of a category: what its value selects by. Under the drivers, the svchost group stands
// for the file-system drivers.
constexpr int32_t kCategoryGroupRunState = 0;
constexpr int32_t kCategoryGroupStartType = 1;
constexpr int32_t kCategoryGroupSvchost = 2;

// A category: service kind, group, value; -1 in a field means any.
struct CategoryFilter {
    int32_t kind = kKindWin32;
    int32_t group = -1;
    int32_t value = -1;
};
inline bool operator==(const CategoryFilter& a, const CategoryFilter& b) {
    return a.kind == b.kind && a.group == b.group && a.value == b.value;
}
inline bool operator!=(const CategoryFilter& a, const CategoryFilter& b) {
    return !(a == b);
}

// Run-state classes of dwCurrentState.
enum class RunStateClass { Started, Stopped, Paused };
RunStateClass ClassifyRunState(uint32_t currentState);

// True when the record is hidden under the filter.
bool IsFilteredOut(const SERVICE_ITEM& item, const CategoryFilter& filter);

// One row of the category table, in tree insertion order.
struct CategoryRow {
    int slot;
    const char* label;
    int parentSlot;  // -1 for a root
    int image;       // 0 group node, 1 leaf, 2 Win32 root, 3 driver root
    CategoryFilter filter;
};
constexpr std::size_t kCategoryCount = 20;
extern const CategoryRow kCategoryTable[kCategoryCount];

constexpr std::size_t kSlotCount = 21;

// The tree view's map from tree items to categories: item handles are opaque values here.
class CategorySlotTable {
public:
    CategorySlotTable();
    // Stores into slot index; an index of kSlotCount or more stores nothing.
    void SetSlot(uint32_t index, const void* item, int32_t kind, int32_t group, int32_t value);
    // The filter of the first slot, from slot 0 on, that holds item; false when none does.
    bool FindSlot(const void* item, CategoryFilter& filter) const;

private:
    const void* items_[kSlotCount];
    int32_t kinds_[kSlotCount];
    int32_t groups_[kSlotCount];
    int32_t values_[kSlotCount];
};

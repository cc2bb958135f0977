// The tree's map from item handles back to categories.
#include "category/category_filter.h"

CategorySlotTable::CategorySlotTable() {
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        items_[i] = nullptr;
        kinds_[i] = -1;
        groups_[i] = -1;
        values_[i] = -1;
    }
}

void CategorySlotTable::SetSlot(uint32_t index, const void* item, int32_t kind, int32_t group,
                                int32_t value) {
    if (index >= kSlotCount)
        return;
    items_[index] = item;
    kinds_[index] = kind;
    groups_[index] = group;
    values_[index] = value;
}

bool CategorySlotTable::FindSlot(const void* item, CategoryFilter& filter) const {
    // No item is no category: an unused slot (slot 5 of the tree) must not answer for it.
    if (item == nullptr)
        return false;
    for (std::size_t i = 0; i < kSlotCount; ++i) {
        if (items_[i] != item)
            continue;
        filter.kind = kinds_[i];
        filter.group = groups_[i];
        filter.value = values_[i];
        return true;
    }
    return false;
}

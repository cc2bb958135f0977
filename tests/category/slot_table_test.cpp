// The slot table: storing by index, finding by item handle.
#include <gtest/gtest.h>

#include "category/category_filter.h"

namespace {

const void* Handle(uintptr_t value) {
    return reinterpret_cast<const void*>(value);
}

TEST(SlotTable, FindsWhatWasStored) {
    CategorySlotTable table;
    CategoryFilter filter;
    EXPECT_FALSE(table.FindSlot(Handle(0x10), filter));
    table.SetSlot(3, Handle(0x10), kKindWin32, 0, 1);
    ASSERT_TRUE(table.FindSlot(Handle(0x10), filter));
    EXPECT_EQ(filter, (CategoryFilter{kKindWin32, 0, 1}));
    table.SetSlot(3, Handle(0x10), kKindDriver, 2, -1);
    ASSERT_TRUE(table.FindSlot(Handle(0x10), filter));
    EXPECT_EQ(filter, (CategoryFilter{kKindDriver, 2, -1}));
}

TEST(SlotTable, IgnoresIndexesPastTheEnd) {
    CategorySlotTable table;
    CategoryFilter filter{1, 2, 3};
    table.SetSlot(21, Handle(0x20), kKindWin32, 1, 2);
    table.SetSlot(static_cast<uint32_t>(-1), Handle(0x20), kKindWin32, 1, 2);
    EXPECT_FALSE(table.FindSlot(Handle(0x20), filter));
    EXPECT_EQ(filter, (CategoryFilter{1, 2, 3}));
    table.SetSlot(20, Handle(0x20), kKindWin32, 2, 2);
    EXPECT_TRUE(table.FindSlot(Handle(0x20), filter));
}

TEST(SlotTable, LowestSlotWins) {
    CategorySlotTable table;
    table.SetSlot(9, Handle(0x30), kKindWin32, 1, 4);
    table.SetSlot(2, Handle(0x30), kKindWin32, 0, 0);
    CategoryFilter filter;
    ASSERT_TRUE(table.FindSlot(Handle(0x30), filter));
    EXPECT_EQ(filter, (CategoryFilter{kKindWin32, 0, 0}));
}

TEST(SlotTable, FilledFromTheCategoryTable) {
    CategorySlotTable table;
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        const CategoryRow& row = kCategoryTable[i];
        table.SetSlot(row.slot, Handle(0x100 + i), row.filter.kind, row.filter.group,
                      row.filter.value);
    }
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        CategoryFilter filter;
        ASSERT_TRUE(table.FindSlot(Handle(0x100 + i), filter));
        EXPECT_EQ(filter, kCategoryTable[i].filter) << kCategoryTable[i].label;
    }
    // Slot 5 stays unused; no selection finds nothing rather than its empty entry.
    CategoryFilter filter;
    EXPECT_FALSE(table.FindSlot(nullptr, filter));
}

}  // namespace

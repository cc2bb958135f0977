// The shape of the category table: labels in insertion order, slots, parents and images.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "category/category_filter.h"

namespace {

TEST(CategoryTable, LabelsInInsertionOrder) {
    const char* labels[] = {"All Win32 Services",
                            "Status",
                            "Start",
                            "Stop",
                            "Pause",
                            "Start Type",
                            "Auto Start",
                            "Demand Start",
                            "Disabled Start",
                            "Svchost Group",
                            "LocalService",
                            "netsvcs",
                            "All Drivers Services",
                            "Kernel Drivers",
                            "Boot Start",
                            "System Start",
                            "Auto Start",
                            "Demand Start",
                            "Disabled Start",
                            "File System Driver"};
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        EXPECT_STREQ(kCategoryTable[i].label, labels[i]) << i;
    }
}

TEST(CategoryTable, SlotsAreUniqueAndSkipFive) {
    std::set<int> slots;
    for (const CategoryRow& row : kCategoryTable) {
        EXPECT_GE(row.slot, 0);
        EXPECT_LT(row.slot, static_cast<int>(kSlotCount));
        slots.insert(row.slot);
    }
    EXPECT_EQ(slots.size(), kCategoryCount);
    EXPECT_EQ(slots.count(5), 0u);
}

// A parent is inserted before its children, is a group node or a root, and has the same kind.
TEST(CategoryTable, ParentsComeFirstWithTheSameKind) {
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        const CategoryRow& row = kCategoryTable[i];
        if (row.parentSlot < 0) {
            EXPECT_EQ(row.image, row.filter.kind == kKindWin32 ? 2 : 3) << row.label;
            EXPECT_EQ(row.filter.group, -1);
            continue;
        }
        const CategoryRow* parent = nullptr;
        for (std::size_t j = 0; j < i; ++j) {
            if (kCategoryTable[j].slot == row.parentSlot)
                parent = &kCategoryTable[j];
        }
        ASSERT_NE(parent, nullptr) << row.label;
        EXPECT_NE(parent->image, 1) << row.label;
        EXPECT_EQ(parent->filter.kind, row.filter.kind) << row.label;
        bool leaf = row.filter.value != -1;
        EXPECT_EQ(row.image, leaf ? 1 : 0) << row.label;
    }
}

}  // namespace

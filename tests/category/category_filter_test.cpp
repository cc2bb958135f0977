// Which records each category shows, over records covering every state, start type, svchost group
// and driver type.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "category/category_filter.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

SERVICE_ITEM Item(const char* name, int32_t kind, uint32_t state, uint32_t start, int32_t svchost,
                  uint32_t type) {
    SERVICE_ITEM item;
    item.lpServiceName = name;
    item.ServiceKind = kind;
    item.ServiceStatus.dwCurrentState = state;
    item.ServiceStatus.dwServiceType = type;
    item.Start = start;
    item.SvchostGroup = svchost;
    return item;
}

// w<state>: a Win32 service in that state; d<n>: drivers.
const std::vector<SERVICE_ITEM>& Records() {
    static const std::vector<SERVICE_ITEM> records = {
        Item("w0", kKindWin32, 0, 3, 0, 0x10), Item("w1", kKindWin32, 1, 3, 0, 0x10),
        Item("w2", kKindWin32, 2, 3, 0, 0x20), Item("w3", kKindWin32, 3, 4, 0, 0x10),
        Item("w4", kKindWin32, 4, 2, 1, 0x20), Item("w5", kKindWin32, 5, 2, 2, 0x20),
        Item("w6", kKindWin32, 6, 3, 0, 2),  // a Win32 record of type 2 is no file-system driver
        Item("w7", kKindWin32, 7, 0, 0, 0x10), Item("w8", kKindWin32, 8, 1, 2, 0x20),
        Item("d0", kKindDriver, 4, 0, 0, 1),   Item("d1", kKindDriver, 1, 1, 0, 1),
        Item("d2", kKindDriver, 4, 2, 0, 2),   Item("d3", kKindDriver, 1, 3, 0, 2),
        Item("d4", kKindDriver, 1, 4, 0, 8),   Item("d5", kKindDriver, 1, 3, 0, 3),
    };
    return records;
}

std::vector<std::string> Shown(const CategoryFilter& filter) {
    std::vector<std::string> names;
    for (const SERVICE_ITEM& item : Records()) {
        if (!IsFilteredOut(item, filter))
            names.push_back(item.lpServiceName);
    }
    return names;
}

const std::vector<std::string> kAllWin32 = {"w0", "w1", "w2", "w3", "w4", "w5", "w6", "w7", "w8"};
const std::vector<std::string> kAllDrivers = {"d0", "d1", "d2", "d3", "d4", "d5"};

TEST(RunState, ClassifiesEveryState) {
    EXPECT_EQ(ClassifyRunState(1), RunStateClass::Stopped);
    EXPECT_EQ(ClassifyRunState(3), RunStateClass::Stopped);
    EXPECT_EQ(ClassifyRunState(6), RunStateClass::Paused);
    EXPECT_EQ(ClassifyRunState(7), RunStateClass::Paused);
    for (uint32_t state : {0u, 2u, 4u, 5u, 8u, 0xFFFFFFFFu}) {
        EXPECT_EQ(ClassifyRunState(state), RunStateClass::Started) << state;
    }
}

TEST(CategoryFilter, EachTableRowShowsItsRecords) {
    struct Expected {
        std::size_t row;
        std::vector<std::string> names;
    } expected[] = {
        {0, kAllWin32},
        {1, kAllWin32},
        {2, {"w0", "w2", "w4", "w5", "w8"}},
        {3, {"w1", "w3"}},
        {4, {"w6", "w7"}},
        {5, kAllWin32},
        {6, {"w4", "w5"}},
        {7, {"w0", "w1", "w2", "w6"}},
        {8, {"w3"}},
        {9, kAllWin32},
        {10, {"w4"}},
        {11, {"w5", "w8"}},
        {12, kAllDrivers},
        {13, kAllDrivers},
        {14, {"d0"}},
        {15, {"d1"}},
        {16, {"d2"}},
        {17, {"d3", "d5"}},
        {18, {"d4"}},
        {19, {"d2", "d3"}},
    };
    ASSERT_EQ(std::size(expected), kCategoryCount);
    for (const Expected& e : expected) {
        const CategoryRow& row = kCategoryTable[e.row];
        EXPECT_THAT(Shown(row.filter), ElementsAreArray(e.names)) << row.label;
    }
}

TEST(CategoryFilter, AnyKindIgnoresGroupAndValue) {
    std::vector<std::string> all = kAllWin32;
    all.insert(all.end(), kAllDrivers.begin(), kAllDrivers.end());
    EXPECT_THAT(Shown({-1, 0, 1}), ElementsAreArray(all));
    EXPECT_THAT(Shown({-1, 2, 2}), ElementsAreArray(all));
}

TEST(CategoryFilter, UnknownGroupsAndValuesNarrowNothing) {
    EXPECT_THAT(Shown({kKindWin32, 0, 3}), ElementsAreArray(kAllWin32));
    EXPECT_THAT(Shown({kKindWin32, 7, 5}), ElementsAreArray(kAllWin32));
    EXPECT_THAT(Shown({kKindDriver, 0, 1}), ElementsAreArray(kAllDrivers));
}

TEST(CategoryFilter, ValuesOutsideTheTableCompareForEquality) {
    EXPECT_THAT(Shown({kKindWin32, 2, 0}), ElementsAre("w0", "w1", "w2", "w3", "w6", "w7"));
    EXPECT_THAT(Shown({kKindWin32, 1, 0}), ElementsAre("w7"));
    EXPECT_THAT(Shown({kKindWin32, 1, 9}), IsEmpty());
    // The file-system group ignores its value.
    EXPECT_THAT(Shown({kKindDriver, 2, 4}), ElementsAre("d2", "d3"));
}

TEST(CategoryFilter, OtherKindsShowOnlyThatKind) {
    EXPECT_THAT(Shown({5, -1, -1}), IsEmpty());
    SERVICE_ITEM odd = Item("odd", 5, 1, 3, 0, 1);
    EXPECT_FALSE(IsFilteredOut(odd, {5, 1, 4}));
    EXPECT_TRUE(IsFilteredOut(odd, {kKindWin32, -1, -1}));
}

TEST(CategoryFilter, Equality) {
    EXPECT_EQ((CategoryFilter{kKindWin32, -1, -1}), CategoryFilter());
    EXPECT_NE((CategoryFilter{kKindWin32, 0, 1}), (CategoryFilter{kKindWin32, 0, 2}));
    EXPECT_NE((CategoryFilter{kKindDriver, 0, 1}), (CategoryFilter{kKindWin32, 0, 1}));
}

}  // namespace

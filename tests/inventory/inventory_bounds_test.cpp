// What a file can cost is bounded whatever it holds: crafted names cost what ordinary ones do, and
// a file with more records than a system has is refused before its records are read.
#include <gtest/gtest.h>

#include <time.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "inventory/file_inventory.h"
#include "platform/utf16.h"
#include "tests/support/inventory_files.h"

namespace {

// The least processor time of this thread that two loads of the file take, in seconds: other
// programs on the machine do not count.
double LoadSeconds(const std::string& file, std::size_t expectedRecords) {
    double least = 1e9;
    for (int round = 0; round < 2; ++round) {
        timespec began = {}, ended = {};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &began);
        LoadedInventory loaded;
        InventoryError error;
        EXPECT_TRUE(LoadInventory(file.data(), file.size(), loaded, error)) << error.line;
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ended);
        EXPECT_EQ(loaded.catalogue ? loaded.catalogue->GetCount() : 0, expectedRecords);
        least = std::min(least, static_cast<double>(ended.tv_sec - began.tv_sec) +
                                    (ended.tv_nsec - began.tv_nsec) / 1e9);
    }
    return least;
}

TEST(InventoryBounds, NamesCraftedToCollideInAHashOpenInAboutTheTimeOfOrdinaryOnes) {
    constexpr std::size_t kCount = 20000;
    const std::vector<std::string> crafted = CollidingServiceNames(kCount);
#if defined(__GLIBCXX__) && defined(__x86_64__)
    // They do collide, so this measures what it claims to.
    const std::hash<std::u16string_view> hash;
    const std::u16string prefix = std::u16string(kServicesKeyW) + u"\\";
    const std::size_t first = hash(prefix + Utf8ToUtf16(crafted.front().c_str()));
    for (const std::string& name : crafted)
        ASSERT_EQ(hash(prefix + Utf8ToUtf16(name.c_str())), first) << name;
#endif
    const double ordinary = LoadSeconds(InventoryFileOf(OrdinaryServiceNames(kCount)), kCount);
    const double colliding = LoadSeconds(InventoryFileOf(crafted), kCount);
    // Indexed in a hash table they took some 500 times as long; sorted, about the same.
    EXPECT_LT(colliding, 3 * ordinary + 0.1) << "ordinary " << ordinary << " s";
}

TEST(InventoryBounds, MoreRecordsThanAnySystemHoldsAreRefusedAsAWhole) {
    std::vector<std::string> names = OrdinaryServiceNames(kMaxInventoryRecords);
    std::vector<InventoryRecord> records;
    InventoryError error;
    std::string file = InventoryFileOf(names);
    EXPECT_TRUE(ParseInventoryCsv(file.data(), file.size(), records, error));
    EXPECT_EQ(records.size(), kMaxInventoryRecords);
    file += "one,more,48,16,1,3,,C:\\service.exe,,,0\r\n";
    EXPECT_FALSE(ParseInventoryCsv(file.data(), file.size(), records, error));
    EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(InventoryProblem::TooMany));
    EXPECT_EQ(error.line, 0u);
    EXPECT_TRUE(records.empty());

    // Line breaks inside a quoted text end no record: this is refused for its text, at its line.
    file = InventoryFileOf({"a"});
    file += "b,b,48,16,1,3,\"" + std::string(kMaxInventoryRecords * 2, '\n') +
            "\",C:\\b.exe,,,0,2" + std::string(9, ',') + "\r\n";
    EXPECT_FALSE(ParseInventoryCsv(file.data(), file.size(), records, error));
    EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(InventoryProblem::Text));
    EXPECT_EQ(error.line, 3u);
}

}  // namespace

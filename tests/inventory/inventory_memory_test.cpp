// Memory that runs out anywhere in a load never gives a wrong answer. Every allocation of this
// program goes through the operators below, so each allocation of a load can be made to fail in
// turn: a saved inventory is then refused for want of memory at a line its loading reached, never
// for another reason and never opened shorter; the live catalogue reports every entry it left out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <set>

#include "inventory/file_inventory.h"
#include "platform/fake/fake_system.h"
#include "tests/support/sample_services.h"

namespace {

bool g_counting = false;
long g_allocations = 0;  // while counting
long g_failAt = 0;       // the allocation that fails, from 1; 0 for none

bool FailsNow() {
    return g_counting && ++g_allocations == g_failAt;
}

// Counts the allocations of step, failing the one at failAt; the count.
template <typename Step>
long CountAllocations(long failAt, Step&& step) {
    g_allocations = 0;
    g_failAt = failAt;
    g_counting = true;
    step();
    g_counting = false;
    return g_allocations;
}

}  // namespace

void* operator new(std::size_t size) {
    void* block = FailsNow() ? nullptr : std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return FailsNow() ? nullptr : std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace {

TEST(InventoryMemory, AFailedAllocationRefusesTheFileAtALineItsLoadingReached) {
    FakeSystem fake;
    AddSampleServices(fake);
    CServiceList saved(fake, fake);
    saved.Reload();
    std::string file;
    WriteInventoryCsv(saved, file);
    std::vector<InventoryRecord> records;
    InventoryError error;
    ASSERT_TRUE(ParseInventoryCsv(file.data(), file.size(), records, error));
    std::set<std::size_t> recordLines;
    for (const InventoryRecord& record : records)
        recordLines.insert(record.line);

    auto load = [&](LoadedInventory& loaded) {
        return LoadInventory(file.data(), file.size(), loaded, error);
    };
    const long allocations = CountAllocations(0, [&] {
        LoadedInventory loaded;
        load(loaded);
    });
    ASSERT_GT(allocations, 100);
    std::set<std::size_t> linesNamed;
    for (long failAt = 1; failAt <= allocations; ++failAt) {
        SCOPED_TRACE("allocation " + std::to_string(failAt));
        LoadedInventory loaded;
        bool opened = false;
        CountAllocations(failAt, [&] { opened = load(loaded); });
        if (opened) {
            EXPECT_EQ(loaded.catalogue->GetCount(), saved.GetCount());
            continue;
        }
        EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(InventoryProblem::NoMemory));
        EXPECT_TRUE(error.line == 1 || recordLines.count(error.line)) << error.line;
        linesNamed.insert(error.line);
    }
    // Each record is where the loading stood for some allocation: the line follows it.
    for (std::size_t line : recordLines)
        EXPECT_TRUE(linesNamed.count(line)) << line;
}

TEST(InventoryMemory, TheLiveCatalogueCountsEveryEntryItCouldNotMakeARecordOf) {
    FakeSystem fake;
    AddSampleServices(fake);
    CServiceList catalogue(fake, fake);
    const long allocations = CountAllocations(0, [&] { catalogue.Reload(); });
    const std::size_t all = catalogue.GetCount();
    ASSERT_EQ(all, 10u);
    for (long failAt = 1; failAt <= allocations; ++failAt) {
        SCOPED_TRACE("allocation " + std::to_string(failAt));
        CountAllocations(failAt, [&] { catalogue.Reload(); });
        // A shorter list is always told: entries counted, or a pass that failed (its buffer).
        const CServiceList::Shortfall& shortfall = catalogue.LoadShortfall();
        const bool passesWhole =
            catalogue.PassResult(true).error == 0 && catalogue.PassResult(false).error == 0;
        EXPECT_EQ(catalogue.GetCount() == all, shortfall.entries == 0 && passesWhole)
            << catalogue.GetCount();
        if (shortfall.entries != 0) {
            EXPECT_LE(shortfall.firstEntry, catalogue.GetCount());
        }
    }
}

}  // namespace

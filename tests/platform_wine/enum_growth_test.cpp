// The enumeration's growth loop against simulated service managers that behave like Wine and like
// Windows when the buffer is too small.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/win32/enum_buffer.h"

namespace {

// A manager holding entries of given byte sizes. Each entry writes its index into its first bytes.
struct SimulatedManager {
    std::vector<uint32_t> entryBytes;
    bool windowsLike = false;
    int calls = 0;
    uint32_t lastSize = 0;

    uint32_t operator()(uint8_t* bytes, uint32_t size, uint32_t& bytesNeeded, uint32_t& count) {
        ++calls;
        lastSize = size;
        uint32_t used = 0;
        uint32_t fitting = 0;
        while (fitting < entryBytes.size() && used + entryBytes[fitting] <= size) {
            used += entryBytes[fitting++];
        }
        uint32_t rest = 0;
        for (uint32_t i = fitting; i < entryBytes.size(); ++i) {
            rest += entryBytes[i];
        }
        if (rest == 0) {
            Fill(bytes, fitting);
            count = fitting;
            return 0;
        }
        if (windowsLike) {  // the entries that fit are there; only the rest is asked for
            Fill(bytes, fitting);
            count = fitting;
            bytesNeeded = rest;
        } else {  // nothing filled, yet a count and the size of everything
            count = static_cast<uint32_t>(entryBytes.size());
            bytesNeeded = used + rest;
        }
        return kEnumErrorMoreData;
    }
    void Fill(uint8_t* bytes, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            std::memcpy(bytes + i * sizeof i, &i, sizeof i);
        }
    }
};

void ExpectAllEntries(const EnumBuffer& buffer, uint32_t count) {
    ASSERT_EQ(buffer.count, count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t index = 0;
        std::memcpy(&index, buffer.bytes.get() + i * sizeof i, sizeof i);
        ASSERT_EQ(index, i);
    }
}

TEST(EnumGrowth, FirstCallThatFitsIsTheOnlyOne) {
    SimulatedManager manager{std::vector<uint32_t>(100, 200)};
    EnumBuffer buffer;
    ASSERT_EQ(EnumerateGrowing(manager, buffer), 0u);
    EXPECT_EQ(manager.calls, 1);
    EXPECT_EQ(manager.lastSize, kEnumInitialBytes);
    ExpectAllEntries(buffer, 100);
}

TEST(EnumGrowth, WineLikeManagerAsksForEverythingAndFillsNothing) {
    SimulatedManager manager{std::vector<uint32_t>(1500, 120)};  // 180,000 bytes
    EnumBuffer buffer;
    ASSERT_EQ(EnumerateGrowing(manager, buffer), 0u);
    EXPECT_EQ(manager.calls, 2);
    EXPECT_GE(manager.lastSize, 1500u * 120);
    ExpectAllEntries(buffer, 1500);
}

TEST(EnumGrowth, WindowsLikeManagerAsksOnlyForTheRest) {
    // Entries that do not divide the buffer evenly leave slack the rest must still find room for.
    SimulatedManager manager{std::vector<uint32_t>(1500, 700), true};
    EnumBuffer buffer;
    ASSERT_EQ(EnumerateGrowing(manager, buffer), 0u);
    EXPECT_GE(manager.lastSize, 1500u * 700);
    EXPECT_LE(manager.calls, 3);
    ExpectAllEntries(buffer, 1500);
}

TEST(EnumGrowth, OtherFailuresEndTheLoop) {
    int calls = 0;
    auto denied = [&](uint8_t*, uint32_t, uint32_t& needed, uint32_t& count) {
        ++calls;
        needed = 100;
        count = 3;
        return 5u;  // ERROR_ACCESS_DENIED
    };
    EnumBuffer buffer;
    EXPECT_EQ(EnumerateGrowing(denied, buffer), 5u);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(buffer.count, 0u);
}

TEST(EnumGrowth, MoreDataThatAsksForNothingDoesNotLoop) {
    int calls = 0;
    auto stuck = [&](uint8_t*, uint32_t, uint32_t& needed, uint32_t&) {
        ++calls;
        needed = 0;
        return kEnumErrorMoreData;
    };
    EnumBuffer buffer;
    EXPECT_EQ(EnumerateGrowing(stuck, buffer), kEnumErrorMoreData);
    EXPECT_EQ(calls, 1);
}

TEST(EnumGrowth, BufferStartsZeroFilled) {
    bool zeroed = true;
    auto look = [&](uint8_t* bytes, uint32_t size, uint32_t&, uint32_t& count) {
        for (uint32_t i = 0; i < size; ++i) {
            zeroed = zeroed && bytes[i] == 0;
        }
        count = 0;
        return 0u;
    };
    EnumBuffer buffer;
    EXPECT_EQ(EnumerateGrowing(look, buffer), 0u);
    EXPECT_TRUE(zeroed);
}

}  // namespace

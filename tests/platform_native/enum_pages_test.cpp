// The enumeration's loop against calls that misbehave: the paging of Windows and of Wine is the
// fake service manager's (tests/catalogue, "EnumerationBeyond256KBReadsOnInPages").
#include <gtest/gtest.h>

#include <vector>

#include "platform/enum_pages.h"

namespace {

struct Taken {
    int pages = 0;
    uint32_t entries = 0;
    void operator()(const uint8_t*, uint32_t count) {
        ++pages;
        entries += count;
    }
};

TEST(EnumPages, OtherFailuresEndTheLoopAndTakeNothing) {
    int calls = 0;
    auto denied = [&](uint8_t*, uint32_t, uint32_t&, uint32_t& needed, uint32_t& count) {
        ++calls;
        needed = 100;
        count = 3;
        return 5u;  // ERROR_ACCESS_DENIED
    };
    Taken taken;
    EXPECT_EQ(EnumerateInPages(denied, taken), 5u);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(taken.pages, 0);
}

// A call that fills nothing and asks for nothing, or keeps asking for more than is believable,
// would go on for ever.
TEST(EnumPages, MoreDataThatCannotBeMetEndsTheLoop) {
    int calls = 0;
    auto nothing = [&](uint8_t*, uint32_t, uint32_t&, uint32_t& needed, uint32_t&) {
        ++calls;
        needed = 0;
        return kErrorMoreData;
    };
    Taken taken;
    EXPECT_EQ(EnumerateInPages(nothing, taken), kErrorMoreData);
    EXPECT_EQ(calls, 1);
    std::vector<uint32_t> sizes;
    auto greedy = [&](uint8_t*, uint32_t size, uint32_t&, uint32_t& needed, uint32_t&) {
        sizes.push_back(size);
        needed = 48u << 20;
        return kErrorMoreData;
    };
    EXPECT_EQ(EnumerateInPages(greedy, taken), kErrorMoreData);
    EXPECT_EQ(sizes, (std::vector<uint32_t>{kEnumInitialBytes, kEnumInitialBytes + (48u << 20)}));
    EXPECT_EQ(taken.pages, 0);
}

// A resume handle that always moves on, with an entry each time, is followed only as far as all
// the pages together stay believable.
TEST(EnumPages, PagesWithoutEndAreBounded) {
    int calls = 0;
    auto endless = [&](uint8_t*, uint32_t, uint32_t& resume, uint32_t& needed, uint32_t& count) {
        ++calls;
        ++resume;
        count = 1;
        needed = 1000;
        return kErrorMoreData;
    };
    Taken taken;
    EXPECT_EQ(EnumerateInPages(endless, taken), kErrorMoreData);
    EXPECT_EQ(calls, static_cast<int>(kEnumMaxBytes / kEnumInitialBytes) + 1);
    EXPECT_EQ(taken.entries, static_cast<uint32_t>(calls - 1));
}

// Each call sees a zero-filled buffer, also one used before; a page that advanced the resume
// handle is read on from there in a buffer grown to what is left, at most 256 KB.
TEST(EnumPages, EachCallStartsZeroFilledAndReadsOnFromTheResumeHandle) {
    std::vector<uint32_t> from;
    std::vector<uint32_t> sizes;
    bool zeroed = true;
    auto pages = [&](uint8_t* bytes, uint32_t size, uint32_t& resume, uint32_t& needed,
                     uint32_t& count) {
        for (uint32_t i = 0; i < size; ++i)
            zeroed = zeroed && bytes[i] == 0;
        bytes[0] = 1;
        from.push_back(resume);
        sizes.push_back(size);
        count = 10;
        if (from.size() == 3) {
            resume = 0;
            return 0u;
        }
        resume += 10;
        needed = from.size() == 1 ? 1000000 : 100;
        return kErrorMoreData;
    };
    Taken taken;
    EXPECT_EQ(EnumerateInPages(pages, taken), 0u);
    EXPECT_TRUE(zeroed);
    EXPECT_EQ(from, (std::vector<uint32_t>{0, 10, 20}));
    EXPECT_EQ(sizes,
              (std::vector<uint32_t>{kEnumInitialBytes, kEnumMaxPageBytes, kEnumMaxPageBytes}));
    EXPECT_EQ(taken.entries, 30u);
}

}  // namespace

// The toolbar resource in both compilers' layouts, and data too short for what it announces.
#include "window/toolbar_resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& bytes, uint32_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(Bytes& bytes, uint32_t value) {
    PutWord(bytes, value & 0xFFFF);
    PutWord(bytes, value >> 16);
}

bool Read(const Bytes& bytes, ToolBarLayout& layout) {
    return ReadToolBarResource(bytes.data(), static_cast<uint32_t>(bytes.size()), layout);
}

TEST(ToolBarResource, TheSdkLayoutHasAVersionAndWords) {
    Bytes bytes;
    for (uint32_t word : {1u, 16u, 15u, 3u, 32771u, 0u, 57664u})
        PutWord(bytes, word);
    ToolBarLayout layout;
    ASSERT_TRUE(Read(bytes, layout));
    EXPECT_EQ(layout.width, 16);
    EXPECT_EQ(layout.height, 15);
    EXPECT_EQ(layout.ids, (std::vector<unsigned int>{32771, 0, 57664}));
}

TEST(ToolBarResource, TheWindresLayoutHasDwords) {
    Bytes bytes;
    for (uint32_t dword : {24u, 24u, 2u, 32775u, 0u})
        PutDword(bytes, dword);
    ToolBarLayout layout;
    ASSERT_TRUE(Read(bytes, layout));
    EXPECT_EQ(layout.width, 24);
    EXPECT_EQ(layout.height, 24);
    EXPECT_EQ(layout.ids, (std::vector<unsigned int>{32775, 0}));
}

TEST(ToolBarResource, DataShorterThanItsCountIsRefused) {
    ToolBarLayout layout;
    EXPECT_FALSE(Read(Bytes{1, 0, 16, 0}, layout));
    Bytes words;
    for (uint32_t word : {1u, 16u, 15u, 3u, 32771u, 0u})  // three ids announced, two given
        PutWord(words, word);
    EXPECT_FALSE(Read(words, layout));
    // A count so large that its byte size wraps around 32 bits.
    Bytes dwords;
    for (uint32_t dword : {24u, 24u, 0x40000000u, 32775u})
        PutDword(dwords, dword);
    EXPECT_FALSE(Read(dwords, layout));
}

}  // namespace

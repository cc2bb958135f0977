// Rendering of the service groups dialog's rows from raw registry bytes.
#include "dialogs/group_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(SvchostGroupRows, MultiStringShowsMembersWithSingleSpacesAndTwoTrailing) {
    std::vector<RegistryValue> values = {
        {"netsvcs", 7, Bytes(std::string("AppMgmt\0BITS\0\0", 14))},
        {"LocalService", 7, Bytes(std::string("Alerter\0", 8))},
    };
    std::vector<GroupListRow> rows = SvchostGroupRows(values);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "netsvcs");
    EXPECT_EQ(rows[0].second, "AppMgmt BITS  ");
    EXPECT_EQ(rows[1].first, "LocalService");
    EXPECT_EQ(rows[1].second, "Alerter ");
}

TEST(SvchostGroupRows, NonStringValueShownRawWithNulsAsSpaces) {
    std::vector<RegistryValue> values = {{"Flag", 4, {'A', 0, 0, 'B'}}, {"Empty", 3, {}}};
    std::vector<GroupListRow> rows = SvchostGroupRows(values);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].second, "A  B");
    EXPECT_EQ(rows[1].second, "");
}

TEST(SvchostGroupRows, LongDataListedWhole) {
    std::string members;
    for (int i = 0; i < 600; ++i)
        members += "Service" + std::to_string(i) + std::string(1, '\0');
    members.push_back('\0');
    std::vector<GroupListRow> rows = SvchostGroupRows({{"netsvcs", 7, Bytes(members)}});
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].second.size(), members.size());
    EXPECT_EQ(rows[0].second.find('\0'), std::string::npos);
    EXPECT_EQ(rows[0].second.substr(rows[0].second.size() - 12), "Service599  ");
}

TEST(SvchostGroupRows, LongValueNameCutAtCharacterLimit) {
    std::string name;
    for (int i = 0; i < 300; ++i)
        name += "组";  // three bytes each
    std::vector<GroupListRow> rows = SvchostGroupRows({{name, 7, {}}});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].first, name.substr(0, 259 * 3));
}

TEST(GroupOrderRows, EmptyPiecesCountInOrder) {
    std::vector<GroupListRow> rows = GroupOrderRows(Bytes(std::string("Base\0\0PNP_TDI\0\0", 16)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "0");
    EXPECT_EQ(rows[0].second, "Base");
    EXPECT_EQ(rows[1].first, "2");
    EXPECT_EQ(rows[1].second, "PNP_TDI");
}

TEST(GroupOrderRows, LeadingEmptyPieceAndUnterminatedLastPiece) {
    std::vector<GroupListRow> rows = GroupOrderRows(Bytes(std::string("\0A\0B", 4)));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].first, "1");
    EXPECT_EQ(rows[0].second, "A");
    EXPECT_EQ(rows[1].first, "2");
    EXPECT_EQ(rows[1].second, "B");
}

TEST(GroupOrderRows, NothingForEmptyOrAllNulData) {
    EXPECT_TRUE(GroupOrderRows({}).empty());
    EXPECT_TRUE(GroupOrderRows({0, 0, 0}).empty());
}

TEST(GroupOrderRows, GroupNameCutAt259CharactersNeverInsideOne) {
    std::string name = "x";
    for (int i = 0; i < 300; ++i)
        name += "序";  // 1 + 3 * 300 bytes
    std::vector<uint8_t> list = Bytes(name);
    list.push_back(0);
    list.push_back(0);
    std::vector<GroupListRow> rows = GroupOrderRows(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].second, name.substr(0, 1 + 258 * 3));
}

}  // namespace

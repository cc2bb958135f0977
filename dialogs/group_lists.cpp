#include "dialogs/group_lists.h"

#include "catalogue/text.h"

namespace {

// The text cut to the field limit, never inside a character.
std::string CutToTextLimit(const std::string& text) {
    return text.substr(0, TextPrefixBytes(text.c_str(), kTextMaxChars));
}

}  // namespace

std::string RegistryBytesAsText(const std::vector<uint8_t>& data) {
    std::string text(data.begin(), data.end());
    for (char& c : text) {
        if (c == '\0')
            c = ' ';
    }
    return text;
}

GroupListRow SvchostGroupRow(const RegistryValue& value) {
    return {CutToTextLimit(value.name), RegistryBytesAsText(value.data)};
}

std::vector<GroupListRow> SvchostGroupRows(const std::vector<RegistryValue>& values) {
    std::vector<GroupListRow> rows;
    rows.reserve(values.size());
    for (const RegistryValue& value : values)
        rows.push_back(SvchostGroupRow(value));
    return rows;
}

std::vector<GroupOrderPiece> GroupOrderPieces(const std::vector<uint8_t>& list) {
    std::vector<GroupOrderPiece> pieces;
    int position = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= list.size(); ++i) {
        const bool end = i == list.size();
        if (!end && list[i] != 0)
            continue;
        if (i > start)
            pieces.push_back({start, i - start, position});
        if (end)
            break;
        ++position;
        start = i + 1;
    }
    return pieces;
}

GroupListRow GroupOrderRow(const std::vector<uint8_t>& list, const GroupOrderPiece& piece) {
    const auto* text = reinterpret_cast<const char*>(list.data()) + piece.offset;
    return {std::to_string(piece.position), CutToTextLimit(std::string(text, piece.length))};
}

std::vector<GroupListRow> GroupOrderRows(const std::vector<uint8_t>& list) {
    std::vector<GroupListRow> rows;
    for (const GroupOrderPiece& piece : GroupOrderPieces(list))
        rows.push_back(GroupOrderRow(list, piece));
    return rows;
}

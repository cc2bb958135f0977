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

std::vector<GroupListRow> SvchostGroupRows(const std::vector<RegistryValue>& values) {
    std::vector<GroupListRow> rows;
    rows.reserve(values.size());
    for (const RegistryValue& value : values) {
        rows.push_back({CutToTextLimit(value.name), RegistryBytesAsText(value.data)});
    }
    return rows;
}

std::vector<GroupListRow> GroupOrderRows(const std::vector<uint8_t>& list) {
    std::vector<GroupListRow> rows;
    int position = 0;
    std::string piece;
    auto endPiece = [&] {
        if (!piece.empty())
            rows.push_back({std::to_string(position), CutToTextLimit(piece)});
        piece.clear();
        ++position;
    };
    for (uint8_t byte : list) {
        if (byte == 0) {
            endPiece();
        } else {
            piece.push_back(static_cast<char>(byte));
        }
    }
    if (!piece.empty())
        endPiece();
    return rows;
}

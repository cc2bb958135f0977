// The rows of the service groups dialog, rendered from raw registry data: the svchost host groups
// (one row per value) and the service group load order (one row per group name). Portable, so the
// rendering rules are tested without a registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// One report row: the text of column 0 and of column 1.
struct GroupListRow {
    std::string first;
    std::string second;
};

// Registry data shown as text: every byte as stored, NUL bytes as spaces, so a multi-string reads
// as its members separated by single spaces with two trailing spaces.
std::string RegistryBytesAsText(const std::vector<uint8_t>& data);

// The row of one svchost value: the value name (cut to the text limit) and its data as text,
// whatever its type.
GroupListRow SvchostGroupRow(const RegistryValue& value);
// One row per svchost value, in enumeration order.
std::vector<GroupListRow> SvchostGroupRows(const std::vector<RegistryValue>& values);

// Where one group name of the "List" multi-string lies: found once for every row, so that a list
// of any length is filled without making its texts (the list asks for those as it shows them).
struct GroupOrderPiece {
    std::size_t offset = 0;
    std::size_t length = 0;
    int position = 0;  // among all pieces, empty ones included
};
// One piece per non-empty group name. A last piece without its NUL still counts.
std::vector<GroupOrderPiece> GroupOrderPieces(const std::vector<uint8_t>& list);
// Its row: the 0-based position, and the name cut to the text limit.
GroupListRow GroupOrderRow(const std::vector<uint8_t>& list, const GroupOrderPiece& piece);
// Every row of the list, in order.
std::vector<GroupListRow> GroupOrderRows(const std::vector<uint8_t>& list);

// The rows of the service groups dialog, rendered from raw registry data: the svchost host groups
// (one row per value) and the service group load order (one row per group name). Portable, so the
// rendering rules are tested without a registry.
#pragma once

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

// One row per svchost value, in enumeration order: the value name (cut to the text limit) and its
// data as text, whatever its type.
std::vector<GroupListRow> SvchostGroupRows(const std::vector<RegistryValue>& values);

// One row per non-empty group name of the "List" multi-string: its 0-based position among all
// pieces, empty ones included, and the name cut to the text limit. A last piece without its NUL
// still counts.
std::vector<GroupListRow> GroupOrderRows(const std::vector<uint8_t>& list);

// What must hold for any bytes handed to the saved-inventory reader, checked by the fuzz target and
// by the native suite's replay of its corpus.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Empty when LoadInventory's answer for the bytes is sound; otherwise what is wrong with it:
// - a file opened gives back records within the system's limits (a service name of 1 to 256
//   characters, other texts of at most 259), and written again it opens to the same records and
//   is written the same way once more;
// - a file refused names a problem and a line within the file (none for a whole-file refusal),
//   and everything before that line opens, or is refused no earlier: the first bad line is named.
std::string InventoryInputFault(const char* data, std::size_t size);

// The seed corpus: what the writer makes of catalogues that try the format (the sample system,
// awkward texts, every kind of record, an empty catalogue).
std::vector<std::string> InventorySeedFiles();

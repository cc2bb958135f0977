// Saved-inventory files made to measure: what the program saves of a fake system, many plain Win32
// records, and service names crafted so that the standard library's hash cannot tell their keys
// apart.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class FakeSystem;

// The saved inventory the program writes of the fake system: its catalogue, each record with the
// configuration the fake's manager and keys tell.
std::string SavedInventoryOf(FakeSystem& fake);

// A saved inventory (header, then one stopped Win32 service for each name), as the program writes
// one.
std::string InventoryFileOf(const std::vector<std::string>& names);

// count names of 10 characters each, all different and otherwise alike.
std::vector<std::string> OrdinaryServiceNames(std::size_t count);

// count names of 10 characters each whose key paths ("SYSTEM\CurrentControlSet\Services\<name>" in
// UTF-16) all have the same std::hash on a 64-bit libstdc++ (its _Hash_bytes, a MurmurHash2 variant
// with a fixed seed): each name's last four UTF-16 units undo what the others did to the hash.
std::vector<std::string> CollidingServiceNames(std::size_t count);

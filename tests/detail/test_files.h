// Paths of the files the detail suite probes: the version-record DLLs built next to the test, and
// copies of them whose resource directory lies about the version record's size.
#pragma once

#include <cstdint>
#include <string>

// The folder that holds the test executable, without a trailing backslash.
std::string TestExeFolder();

// name inside the files folder next to the test executable.
std::string TestFile(const char* name);

// Copies the DLL at source to target with the size of its version resource's directory entry set
// to size, as a hostile binary would claim; the resource's bytes stay as they were. False when the
// file cannot be read or has no version resource.
bool CopyWithVersionSize(const std::string& source, const std::string& target, uint32_t size);

// Paths of the files the detail suite probes: the version-record DLLs built next to the test.
#pragma once

#include <string>

// The folder that holds the test executable, without a trailing backslash.
std::string TestExeFolder();

// name inside the files folder next to the test executable.
std::string TestFile(const char* name);

// The command-line export: "Orvane.exe /export FILE.csv" writes the live catalogue into the file
// without showing a window, so that administrators can collect inventories with the
// remote-execution tools they already use.
#pragma once

#include <string>
#include <vector>

// True when the first argument asks for the export ("/export" or "-export", any case).
bool IsExportCommand(const std::vector<std::wstring>& arguments);

// Runs the export the arguments ask for; returns the process's exit code: 0, or the system's error
// code (ERROR_EXE_MACHINE_TYPE_MISMATCH, 216, for the 32-bit build on 64-bit Windows). A failure
// is also told on the standard error stream when the process has one.
int RunExportCommand(const std::vector<std::wstring>& arguments);

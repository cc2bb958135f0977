// The command-line export: "Orvane.exe /export FILE.csv" writes the live catalogue into the file
// without showing a window, so that administrators can collect inventories with the
// remote-execution tools they already use.
#pragma once

#include <string>

// Writes the live catalogue into the file; returns the process's exit code: 0, or the system's
// error code (ERROR_EXE_MACHINE_TYPE_MISMATCH, 216, for the 32-bit build on 64-bit Windows). A
// failure is also told on the standard error stream when the process has one.
int RunExportCommand(const std::wstring& path);

// Whether the live service manager can be opened for the catalogue's enumeration: 0, or the
// system's error code. The catalogue is silent about a manager it cannot open (it is then empty),
// and a command must not pass an empty list off as the machine's.
uint32_t CheckServiceManager();

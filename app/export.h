// The command-line export: "Orvane.exe /export FILE.csv" writes the live catalogue into the file
// without showing a window, so that administrators can collect inventories with the
// remote-execution tools they already use.
#pragma once

#include <string>

// Writes the live catalogue into the file; returns the process's exit code: 0, or the system's
// error code. A failure is also told on the standard error stream when the process has one.
int RunExportCommand(const std::wstring& path);

// The command-line export: "Orvane.exe /export FILE.csv" writes the live catalogue into the file
// without showing a window, so that administrators can collect inventories with the
// remote-execution tools they already use.
#pragma once

#include <string>

#include "catalogue/service_list.h"
#include "platform/platform.h"

// Writes the live catalogue into the file; returns the process's exit code: 0, or the system's
// error code (ERROR_EXE_MACHINE_TYPE_MISMATCH, 216, for the 32-bit build on 64-bit Windows). A
// failure is also told on the standard error stream when the process has one.
int RunExportCommand(const std::wstring& path);

// Writes the catalogue of that service manager and registry into the file, as RunExportCommand
// does for the live ones: a load that is not whole (a service manager that cannot be opened, a
// pass that failed, records wanting memory) writes nothing, says why on the standard error stream
// and gives the system's error code of it.
int ExportCatalogue(ServiceManagerApi& services, ServiceRegistryApi& registry,
                    const std::wstring& path);

// What a command that reads the live system (/export, and /compare without files) checks first.
// Each returns 0, or the exit code with its message written on the standard error stream.
// The 32-bit build on 64-bit Windows would read the 32-bit copies of the system's files and keys:
// ERROR_EXE_MACHINE_TYPE_MISMATCH (216).
uint32_t RefuseUnderWow64();
// Loads the catalogue; a load that is not whole (load_report.h) is no machine's inventory: the
// system's error code of its first shortfall.
uint32_t LoadWholeCatalogue(CServiceList& catalogue);

#include "app/export.h"

#include <windows.h>

#include "app/inventory_io.h"
#include "app/live_configuration.h"
#include "app/load_report.h"
#include "app/standard_streams.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/wow64_probe.h"
#include "res/resource.h"
#include "window/resource_strings.h"

uint32_t RefuseUnderWow64() {
    if (!RunsUnderWow64(ProbeWow64()))
        return 0;
    WriteToStandardError(LoadResString(IDS_WOW64_REFUSED));
    return ERROR_EXE_MACHINE_TYPE_MISMATCH;
}

uint32_t LoadWholeCatalogue(CServiceList& catalogue) {
    catalogue.Reload();
    const uint32_t error = LoadShortfallError(catalogue);
    if (error != 0)
        WriteToStandardError(LoadShortfallText(catalogue));
    return error;
}

int RunExportCommand(const std::wstring& path) {
    if (const uint32_t error = RefuseUnderWow64())
        return static_cast<int>(error);
    Win32System system;
    return ExportCatalogue(system, system, path);
}

int ExportCatalogue(ServiceManagerApi& services, ServiceRegistryApi& registry,
                    const std::wstring& path) {
    // An export must not pass a shorter list off as the machine's.
    CServiceList catalogue(services, registry);
    uint32_t error = LoadWholeCatalogue(catalogue);
    if (error != 0)
        return static_cast<int>(error);
    LiveConfiguration configuration(services, registry);
    error = WriteInventoryFile(path, catalogue, configuration);
    if (error != 0)
        WriteToStandardError(InventorySaveFailureText(path, error));
    return static_cast<int>(error);
}

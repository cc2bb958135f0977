#include "app/export.h"

#include <windows.h>

#include "app/inventory_io.h"
#include "app/live_configuration.h"
#include "app/standard_streams.h"
#include "catalogue/service_list.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/wow64_probe.h"
#include "res/resource.h"
#include "window/resource_strings.h"

uint32_t CheckServiceManager() {
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    return manager ? 0 : GetLastError();
}

int RunExportCommand(const std::wstring& path) {
    // The 32-bit build on 64-bit Windows would write the 32-bit copies' files and groups.
    if (RunsUnderWow64(ProbeWow64())) {
        WriteToStandardError(LoadResString(IDS_WOW64_REFUSED));
        return ERROR_EXE_MACHINE_TYPE_MISMATCH;
    }
    uint32_t error = CheckServiceManager();
    if (error == 0) {
        Win32System system;
        CServiceList catalogue(system, system);
        catalogue.Reload();
        LiveConfiguration configuration(system, system);
        error = WriteInventoryFile(path, catalogue, configuration);
    }
    if (error != 0)
        WriteToStandardError(InventorySaveFailureText(path, error));
    return static_cast<int>(error);
}

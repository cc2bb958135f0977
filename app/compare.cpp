#include "app/compare.h"

#include <windows.h>

#include <string>

#include "app/export.h"
#include "app/inventory_io.h"
#include "app/live_configuration.h"
#include "app/standard_streams.h"
#include "inventory/inventory_compare.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

// A saved inventory, one machine: 0, or the exit code, its message told.
uint32_t ReadSaved(const std::wstring& path, ComparedInventory& compared) {
    LoadedInventory loaded;
    InventoryOpenFailure failure;
    if (!ReadInventoryFile(path, loaded, failure)) {
        WriteToStandardError(InventoryOpenFailureText(path, failure));
        return InventoryOpenFailureCode(failure);
    }
    ComparedInventoryOf(loaded, ComputerOfInventoryFile(NarrowText(FileNameOf(path))), compared);
    return 0;
}

// This machine, read as an export reads it: 0, or the exit code, its message told.
uint32_t ReadLive(ComparedInventory& compared) {
    if (const uint32_t error = RefuseUnderWow64())
        return error;
    Win32System system;
    CServiceList catalogue(system, system);
    if (const uint32_t error = LoadWholeCatalogue(catalogue))
        return error;
    LiveConfiguration configuration(system, system);
    compared.computer = NarrowText(ComputerName());
    InventoryRecordsOf(catalogue, configuration, compared.records);
    return 0;
}

// Whether the two paths name one file (compared as full paths, without regard to case).
bool SamePath(const std::wstring& a, const std::wstring& b) {
    auto full = [](const std::wstring& path) {
        std::wstring buffer(32768, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), 32768, &buffer[0], nullptr);
        return length > 0 && length < 32768 ? buffer.substr(0, length) : path;
    };
    return CompareStringOrdinal(full(a).c_str(), -1, full(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

int RunCompareCommand(const ProgramArguments& arguments) {
    const GivenOption* out = arguments.Option(L"out");
    // The report would take the place of a file it compares.
    for (const std::wstring& file : arguments.files) {
        if (out && SamePath(out->value, file)) {
            WriteToStandardError(FormatResString(IDS_COMPARE_OUT_IS_INPUT, NarrowText(file)));
            return ERROR_INVALID_PARAMETER;
        }
    }
    ComparedInventory baseline;
    uint32_t error = ReadSaved(arguments.files[0], baseline);
    if (error != 0)
        return static_cast<int>(error);
    const InventoryComparison comparison(baseline, arguments.Option(L"state") != nullptr);
    std::string report = ComparisonReportHeader();
    std::size_t differences = 0;
    if (arguments.files.size() == 1) {
        ComparedInventory live;
        error = ReadLive(live);
        if (error != 0)
            return static_cast<int>(error);
        differences += comparison.Compare(live, report);
    }
    // One machine at a time; every file is read, so that each refused one is named.
    for (std::size_t i = 1; i < arguments.files.size(); ++i) {
        ComparedInventory machine;
        const uint32_t refused = ReadSaved(arguments.files[i], machine);
        if (refused != 0 && error == 0)
            error = refused;
        if (error == 0)
            differences += comparison.Compare(machine, report);
    }
    if (error != 0)
        return static_cast<int>(error);
    if (out) {
        error = ReplaceFileContent(out->value, "\xEF\xBB\xBF" + report);
        if (error != 0) {
            WriteToStandardError(FormatResString(IDS_COMPARE_REPORT_FAILED,
                                                 {NarrowText(out->value), FileErrorText(error)}));
            return static_cast<int>(error);
        }
    } else {
        report.resize(report.size() - 2);  // the stream's writer ends the last line
        WriteToStandardOutput(report);
    }
    return differences > 0 ? 1 : 0;
}

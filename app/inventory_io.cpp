#include "app/inventory_io.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/win32/file_io.h"
#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

UINT ProblemTextId(InventoryProblem problem) {
    switch (problem) {
        case InventoryProblem::TooLarge:
            return IDS_INVENTORY_TOO_LARGE;
        case InventoryProblem::Encoding:
            return IDS_INVENTORY_ENCODING;
        case InventoryProblem::Header:
            return IDS_INVENTORY_HEADER;
        case InventoryProblem::Truncated:
            return IDS_INVENTORY_TRUNCATED;
        case InventoryProblem::Quoting:
            return IDS_INVENTORY_QUOTING;
        case InventoryProblem::LineEnd:
            return IDS_INVENTORY_LINE_END;
        case InventoryProblem::Columns:
            return IDS_INVENTORY_COLUMNS;
        case InventoryProblem::Number:
            return IDS_INVENTORY_NUMBER;
        case InventoryProblem::Text:
            return IDS_INVENTORY_TEXT;
        default:
            return IDS_INVENTORY_RECORD;
    }
}

}  // namespace

std::string FileErrorText(uint32_t error) {
    if (error == kErrorNotAFile)
        return LoadResString(IDS_FILE_IS_DEVICE);
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return LoadResString(IDS_FILE_IN_USE);
    return SystemErrorText(error);
}

uint32_t InventoryOpenFailureCode(const InventoryOpenFailure& failure) {
    if (failure.systemError != 0)
        return failure.systemError;
    if (failure.format.problem == InventoryProblem::NoMemory)
        return ERROR_NOT_ENOUGH_MEMORY;
    return failure.format.problem == InventoryProblem::TooLarge ? ERROR_FILE_TOO_LARGE
                                                                : ERROR_INVALID_DATA;
}

bool ReadInventoryFile(const std::wstring& path, LoadedInventory& loaded,
                       InventoryOpenFailure& failure) {
    failure = InventoryOpenFailure();
    FileBytes bytes;
    failure.systemError = ReadWholeFile(path, kMaxInventoryBytes, bytes);
    if (failure.systemError == ERROR_FILE_TOO_LARGE) {
        failure.systemError = 0;
        failure.format.problem = InventoryProblem::TooLarge;
        return false;
    }
    if (failure.systemError != 0)
        return false;
    failure.empty = bytes.size == 0;
    return !failure.empty && LoadInventory(bytes.data.get(), bytes.size, loaded, failure.format);
}

std::string InventoryOpenFailureText(const std::wstring& path,
                                     const InventoryOpenFailure& failure) {
    const std::string name = NarrowText(path);
    if (failure.systemError != 0)
        return FormatResString(IDS_INVENTORY_READ_FAILED,
                               {name, FileErrorText(failure.systemError)});
    if (failure.empty)
        return FormatResString(IDS_INVENTORY_BAD_FILE, {name, LoadResString(IDS_INVENTORY_EMPTY)});
    const std::string line = std::to_string(failure.format.line);
    if (failure.format.problem == InventoryProblem::NoMemory)
        return FormatResString(IDS_INVENTORY_NO_MEMORY, {name, line});
    const std::string problem =
        failure.format.problem == InventoryProblem::TooMany
            ? FormatResString(IDS_INVENTORY_TOO_MANY, std::to_string(kMaxInventoryRecords))
            : LoadResString(ProblemTextId(failure.format.problem));
    if (failure.format.line == 0)
        return FormatResString(IDS_INVENTORY_BAD_FILE, {name, problem});
    return FormatResString(IDS_INVENTORY_BAD_LINE, {name, line, problem});
}

uint32_t WriteInventoryFile(const std::wstring& path, const CServiceList& catalogue,
                            ConfigurationSource& source) {
    std::string bytes;
    WriteInventoryCsv(catalogue, source, bytes);
    return ReplaceFileContent(path, bytes);
}

std::string InventorySaveFailureText(const std::wstring& path, uint32_t error) {
    return FormatResString(IDS_INVENTORY_SAVE_FAILED, {NarrowText(path), FileErrorText(error)});
}

std::wstring ComputerName() {
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(computer, &length))
        computer[0] = L'\0';
    return computer;
}

std::wstring DefaultInventoryFileName() {
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    wchar_t date[16] = L"";
    wsprintfW(date, L"%04u-%02u-%02u", today.wYear, today.wMonth, today.wDay);
    return ComputerName() + L"-services-" + date + L".csv";
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::wstring::size_type slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool AskInventoryFileName(HWND owner, bool save, std::wstring& path) {
    // The filter's parts are separated by '|' in the string table, by NULs for the dialog.
    std::wstring filter = WideText(LoadResString(IDS_INVENTORY_FILTER));
    for (wchar_t& c : filter) {
        if (c == L'|')
            c = L'\0';
    }
    const std::wstring title =
        WideText(LoadResString(save ? IDS_INVENTORY_SAVE_TITLE : IDS_INVENTORY_OPEN_TITLE));
    std::vector<wchar_t> file(32768, L'\0');
    path.copy(file.data(), std::min(path.size(), file.size() - 1));

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"csv";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return false;
    path = file.data();
    return true;
}

// Saved inventories on disk, as the application uses them: reading one into a stand-in for the
// service manager and registry, writing the catalogue into one, the messages for what went wrong,
// the default file name and the system's file dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/service_list.h"
#include "inventory/file_inventory.h"
#include "platform/win32/wide_text.h"

// Why a file was not opened: the system's error reading it, a file that holds nothing, or what is
// wrong in it.
struct InventoryOpenFailure {
    uint32_t systemError = 0;
    bool empty = false;
    InventoryError format;
};

// Reads and checks the whole file, which leaves it loaded into a catalogue of its own; nothing is
// kept of a file that is refused.
bool ReadInventoryFile(const std::wstring& path, LoadedInventory& loaded,
                       InventoryOpenFailure& failure);
// The message for a refused file: it names the file, and the first bad line or the system's reason;
// for want of memory, the line its loading had come to.
std::string InventoryOpenFailureText(const std::wstring& path, const InventoryOpenFailure& failure);

// The exit code of a command that could not read the file: the system's error code, or for a file
// that is empty or damaged ERROR_INVALID_DATA (13), for a file too large ERROR_FILE_TOO_LARGE
// (223), for want of memory ERROR_NOT_ENOUGH_MEMORY (8).
uint32_t InventoryOpenFailureCode(const InventoryOpenFailure& failure);

// The reason for a failed read or write of a file: the system's text, except where it would
// mislead (a device name, a file another program holds).
std::string FileErrorText(uint32_t error);

// Writes the whole catalogue into the file, each record with its configuration from source,
// replacing the file only once the new content is complete. Returns 0 or the system's error code.
uint32_t WriteInventoryFile(const std::wstring& path, const CServiceList& catalogue,
                            ConfigurationSource& source);
std::string InventorySaveFailureText(const std::wstring& path, uint32_t error);

// The computer's NetBIOS name (GetComputerName), empty when it cannot be read.
std::wstring ComputerName();
// "<computer name>-services-<yyyy-mm-dd>.csv", with today's local date.
std::wstring DefaultInventoryFileName();
// The name part of a path.
std::wstring FileNameOf(const std::wstring& path);

// The system's Save (save true) or Open dialog for an inventory file, owned by owner. path holds
// the proposed name and receives the chosen one; false when the user cancelled.
bool AskInventoryFileName(HWND owner, bool save, std::wstring& path);

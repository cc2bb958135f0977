#include "tests/fuzz/inventory_input.h"

#include "catalogue/text.h"
#include "inventory/csv.h"
#include "inventory/file_inventory.h"
#include "platform/fake/fake_system.h"
#include "tests/support/inventory_files.h"
#include "tests/support/sample_services.h"

namespace {

std::string Describe(const InventoryError& error) {
    return "problem " + std::to_string(static_cast<int>(error.problem)) + " at line " +
           std::to_string(error.line);
}

std::string AcceptedFault(const CServiceList& catalogue, FileInventory& inventory) {
    int32_t cursor = 0;
    const SERVICE_ITEM* item = nullptr;
    for (bool more = catalogue.GetFirst(cursor, item); more;
         more = catalogue.GetNext(cursor, item)) {
        const std::size_t nameChars = TextCharCount(item->lpServiceName.c_str());
        if (nameChars < 1 || nameChars > kMaxServiceNameChars)
            return "accepted a service name of " + std::to_string(nameChars) + " characters";
        if (!TextFits(item->lpDisplayName.c_str()))
            return "accepted a display name of " +
                   std::to_string(TextCharCount(item->lpDisplayName.c_str())) + " characters";
    }
    // Written with the configuration it holds, then again from what that gives.
    std::string written;
    WriteInventoryCsv(catalogue, inventory, written);
    LoadedInventory again;
    InventoryError error;
    if (!LoadInventory(written.data(), written.size(), again, error))
        return "what the writer made of it is refused: " + Describe(error);
    std::string rewritten;
    WriteInventoryCsv(*again.catalogue, *again.inventory, rewritten);
    if (rewritten != written)
        return "written again, it is written otherwise";
    return std::string();
}

std::string RefusedFault(const char* data, std::size_t size, const LoadedInventory& loaded,
                         const InventoryError& error) {
    if (loaded.inventory || loaded.catalogue)
        return "refused, but something is loaded";
    const bool whole =
        error.problem == InventoryProblem::TooLarge || error.problem == InventoryProblem::TooMany;
    if (error.problem == InventoryProblem::None || error.problem == InventoryProblem::NoMemory)
        return "refused with " + Describe(error);
    if (whole != (error.line == 0) || error.line > LineAt(data, size))
        return "refused at a line the file does not have: " + Describe(error);
    if (whole || error.line < 2)
        return std::string();
    // The file up to the bad line: it opens, or is refused at that line or later.
    std::size_t end = 0;
    for (std::size_t line = 1; line < error.line; ++end) {
        if (data[end] == '\n')
            ++line;
    }
    LoadedInventory before;
    InventoryError earlier;
    if (!LoadInventory(data, end, before, earlier) && earlier.line < error.line)
        return Describe(error) +
               " named, but the lines before it are refused: " + Describe(earlier);
    return std::string();
}

}  // namespace

std::string InventoryInputFault(const char* data, std::size_t size) {
    LoadedInventory loaded;
    InventoryError error;
    if (LoadInventory(data, size, loaded, error))
        return AcceptedFault(*loaded.catalogue, *loaded.inventory);
    return RefusedFault(data, size, loaded, error);
}

std::vector<std::string> InventorySeedFiles() {
    std::vector<std::string> files;
    for (void (*add)(FakeSystem&) :
         {AddSampleServices, AddAwkwardServices, static_cast<void (*)(FakeSystem&)>(nullptr)}) {
        FakeSystem fake;
        if (add)
            add(fake);
        files.push_back(SavedInventoryOf(fake));
    }
    return files;
}

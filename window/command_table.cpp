#include "window/command_table.h"

#include <utility>

void CommandTable::Add(UINT id, std::function<void()> handler, std::function<bool()> enabled) {
    entries_.push_back(CommandEntry{id, std::move(handler), std::move(enabled)});
}

const CommandEntry* CommandTable::Find(UINT id) const {
    for (const CommandEntry& entry : entries_) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

bool CommandTable::Execute(UINT id) const {
    const CommandEntry* entry = Find(id);
    if (!entry || !entry->handler)
        return false;
    entry->handler();
    return true;
}

#include "window/command_table.h"

#include <utility>

namespace {

const CommandEntry* FirstHandler(std::initializer_list<const CommandTable*> tables, CommandId id) {
    for (const CommandTable* table : tables) {
        const CommandEntry* entry = table ? table->Find(id) : nullptr;
        if (entry && entry->handler)
            return entry;
    }
    return nullptr;
}

bool MayRun(const CommandEntry& entry, bool busy) {
    if (busy && entry.notWhileBusy)
        return false;
    return !entry.enabled || entry.enabled();
}

}  // namespace

void CommandTable::Add(CommandId id, std::function<void()> handler, std::function<bool()> enabled) {
    entries_.push_back(CommandEntry{id, std::move(handler), std::move(enabled), false});
}

void CommandTable::AddNotWhileBusy(CommandId id, std::function<void()> handler,
                                   std::function<bool()> enabled) {
    entries_.push_back(CommandEntry{id, std::move(handler), std::move(enabled), true});
}

const CommandEntry* CommandTable::Find(CommandId id) const {
    for (const CommandEntry& entry : entries_) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

bool CommandTable::Execute(CommandId id) const {
    const CommandEntry* entry = Find(id);
    if (!entry || !entry->handler)
        return false;
    entry->handler();
    return true;
}

bool RouteCommandThrough(std::initializer_list<const CommandTable*> tables, CommandId id,
                         bool busy) {
    const CommandEntry* entry = FirstHandler(tables, id);
    if (!entry)
        return false;
    // A command that reports itself disabled is refused however it arrives (an accelerator, a
    // posted message), not only when its button is greyed.
    if (MayRun(*entry, busy))
        entry->handler();
    return true;
}

bool IsCommandEnabledIn(std::initializer_list<const CommandTable*> tables, CommandId id,
                        bool busy) {
    const CommandEntry* entry = FirstHandler(tables, id);
    return entry && MayRun(*entry, busy);
}

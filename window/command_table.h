// Commands of one handler object (a view, a frame, the application): each id has a handler and,
// where it can be disabled, an update function that answers whether it is enabled now; a command
// that must not run while the frame is busy (one that reloads, runs a modal loop of its own or acts
// on a service) says so, and routing honours it. Portable: the routing rules hold without a window.
#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

// A command's id, as WM_COMMAND carries it (a UINT).
using CommandId = unsigned int;

struct CommandEntry {
    CommandId id;
    std::function<void()> handler;
    std::function<bool()> enabled;  // empty: enabled whenever there is a handler
    bool notWhileBusy = false;      // disabled, whatever enabled says, while the frame is busy
};

class CommandTable {
public:
    void Add(CommandId id, std::function<void()> handler, std::function<bool()> enabled = {});
    // A command that is disabled while the frame is busy, and otherwise as enabled says.
    void AddNotWhileBusy(CommandId id, std::function<void()> handler,
                         std::function<bool()> enabled = {});
    const CommandEntry* Find(CommandId id) const;
    // Runs the handler of id; false when the table has none.
    bool Execute(CommandId id) const;

private:
    std::vector<CommandEntry> entries_;
};

// Something that handles commands; the frame offers a command to its active view, then itself,
// then the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual const CommandTable* Commands() const { return nullptr; }
};

// A command offered to tables in order (null ones are passed over): the first with a handler for id
// takes it, and runs it unless it is disabled now (while busy, one that is not for busy times; its
// update function's answer). False when none has one.
bool RouteCommandThrough(std::initializer_list<const CommandTable*> tables, CommandId id,
                         bool busy = false);

// Whether that first handler may run now: false while busy for a command that is not for busy
// times; otherwise its update function's answer, or true when it has none. A command no table has
// a handler for is disabled.
bool IsCommandEnabledIn(std::initializer_list<const CommandTable*> tables, CommandId id,
                        bool busy = false);

// Commands of one handler object (a view, a frame, the application): each id has a handler and,
// where it can be disabled, an update function that answers whether it is enabled now.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

struct CommandEntry {
    UINT id;
    std::function<void()> handler;
    std::function<bool()> enabled;  // empty: enabled whenever there is a handler
};

class CommandTable {
public:
    void Add(UINT id, std::function<void()> handler, std::function<bool()> enabled = {});
    const CommandEntry* Find(UINT id) const;
    // Runs the handler of id; false when the table has none.
    bool Execute(UINT id) const;

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

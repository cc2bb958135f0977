// The program's command line, read through a table of commands. A command is an option ("/export",
// "-export", any case) followed by its plain arguments (file names) and the options of its own,
// each at most once;
// without a command, one plain argument is a saved inventory to open in the window. Whatever the
// table does not describe is answered with the usage, never with the window. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class ProgramCommand {
    Window,  // the window: on the live system, or on the one file given
    Export,  // "/export FILE": the live catalogue written into FILE, without a window
    // "/compare BASELINE [FILE ...] [/out REPORT] [/state]": the files, or the live system, against
    // the baseline, without a window
    Compare,
    Help,   // "/?": the usage on the standard output, exit code 0
    Usage,  // anything else: the usage on the standard error stream, exit code 87, no window
};

// An option of a command's own, given after the command: a switch ("/state"), or one that takes
// the argument after it as its value ("/out REPORT.csv").
struct OptionRule {
    const wchar_t* name;  // without its '/' or '-'
    bool takesValue;
};

struct CommandRule {
    const wchar_t* name;  // without its '/' or '-'; null: the form without a command
    ProgramCommand command;
    std::size_t minFiles;
    std::size_t maxFiles;
    std::vector<OptionRule> options;
};

struct GivenOption {
    std::wstring name;   // as the table spells it
    std::wstring value;  // empty for a switch
};

struct ProgramArguments {
    ProgramCommand command = ProgramCommand::Usage;
    std::vector<std::wstring> files;   // the plain arguments, in order
    std::vector<GivenOption> options;  // the command's options, in order
    std::wstring unexpected;           // Usage: the argument not understood (empty: one missing)

    // The option of that name (as the table spells it), or null when it was not given.
    const GivenOption* Option(const wchar_t* name) const {
        for (const GivenOption& option : options) {
            if (option.name == name)
                return &option;
        }
        return nullptr;
    }
};

// The program's commands: the window, /export, /compare and /?.
const std::vector<CommandRule>& ProgramCommandRules();

// Reads the arguments (without the program's own name) by the table.
ProgramArguments ParseArguments(const std::vector<std::wstring>& arguments,
                                const std::vector<CommandRule>& rules);

inline ProgramArguments ParseProgramArguments(const std::vector<std::wstring>& arguments) {
    return ParseArguments(arguments, ProgramCommandRules());
}

#include "app/program_arguments.h"

#include <cstdint>

namespace {

// "/name" or "-name": the name; null for a plain argument. A lone "/" or "-" is a name of none.
const wchar_t* OptionName(const std::wstring& argument) {
    return !argument.empty() && (argument[0] == L'/' || argument[0] == L'-') ? argument.c_str() + 1
                                                                             : nullptr;
}

// Option names are ASCII; the case of their letters does not count.
bool SameName(const wchar_t* given, const wchar_t* name) {
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; };
    for (; *given && *name; ++given, ++name) {
        if (fold(*given) != fold(*name))
            return false;
    }
    return *given == *name;
}

ProgramArguments Refused(const std::wstring& unexpected) {
    ProgramArguments refused;
    refused.unexpected = unexpected;
    return refused;
}

}  // namespace

const std::vector<CommandRule>& ProgramCommandRules() {
    static const std::vector<CommandRule> rules = {
        {nullptr, ProgramCommand::Window, 0, 1, {}},
        {L"export", ProgramCommand::Export, 1, 1, {}},
        {L"compare", ProgramCommand::Compare, 1, SIZE_MAX, {{L"out", true}, {L"state", false}}},
        {L"?", ProgramCommand::Help, 0, 0, {}},
    };
    return rules;
}

ProgramArguments ParseArguments(const std::vector<std::wstring>& arguments,
                                const std::vector<CommandRule>& rules) {
    const wchar_t* command = arguments.empty() ? nullptr : OptionName(arguments[0]);
    const CommandRule* rule = nullptr;
    for (const CommandRule& candidate : rules) {
        if (command ? candidate.name && SameName(command, candidate.name) : !candidate.name)
            rule = &candidate;
    }
    if (!rule)
        return Refused(arguments.empty() ? std::wstring() : arguments[0]);

    ProgramArguments parsed;
    parsed.command = rule->command;
    for (std::size_t i = command ? 1 : 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const wchar_t* name = OptionName(argument);
        if (!name) {
            // An empty argument names no file.
            if (argument.empty() || parsed.files.size() == rule->maxFiles)
                return Refused(argument);
            parsed.files.push_back(argument);
            continue;
        }
        const OptionRule* option = nullptr;
        for (const OptionRule& candidate : rule->options) {
            if (SameName(name, candidate.name))
                option = &candidate;
        }
        if (!option || parsed.Option(option->name))
            return Refused(argument);  // unknown, or given twice
        GivenOption given{option->name, {}};
        if (option->takesValue) {
            if (i + 1 == arguments.size() || arguments[i + 1].empty() ||
                OptionName(arguments[i + 1]))
                return Refused(i + 1 == arguments.size() ? std::wstring() : arguments[i + 1]);
            given.value = arguments[++i];
        }
        parsed.options.push_back(given);
    }
    if (parsed.files.size() < rule->minFiles)
        return Refused(std::wstring());
    return parsed;
}

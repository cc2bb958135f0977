// The command line read by its table: every argument list ends in a command, and whatever the
// table does not describe is refused (the usage, never the window).
#include <gtest/gtest.h>

#include "app/program_arguments.h"

namespace {

using Args = std::vector<std::wstring>;

ProgramArguments Parse(const Args& arguments) {
    return ParseProgramArguments(arguments);
}

TEST(ProgramArguments, TheWindowOpensOnNothingOrOnOneFile) {
    EXPECT_EQ(Parse({}).command, ProgramCommand::Window);
    EXPECT_TRUE(Parse({}).files.empty());
    const ProgramArguments file = Parse({L"C:\\inventories\\a b.csv"});
    EXPECT_EQ(file.command, ProgramCommand::Window);
    EXPECT_EQ(file.files, Args{L"C:\\inventories\\a b.csv"});
}

TEST(ProgramArguments, ExportTakesExactlyOneFileInAnyCaseAndEitherPrefix) {
    for (const wchar_t* name : {L"/export", L"-EXPORT", L"/Export"}) {
        const ProgramArguments parsed = Parse({name, L"out.csv"});
        EXPECT_EQ(parsed.command, ProgramCommand::Export) << name;
        EXPECT_EQ(parsed.files, Args{L"out.csv"});
    }
}

TEST(ProgramArguments, HelpIsTheQuestionMarkAlone) {
    EXPECT_EQ(Parse({L"/?"}).command, ProgramCommand::Help);
    EXPECT_EQ(Parse({L"-?"}).command, ProgramCommand::Help);
    EXPECT_EQ(Parse({L"/?", L"x"}).command, ProgramCommand::Usage);
}

TEST(ProgramArguments, EverythingElseIsRefusedNamingTheArgumentNotUnderstood) {
    const struct {
        Args arguments;
        const wchar_t* unexpected;
    } cases[] = {
        {{L"/export:out.csv"}, L"/export:out.csv"},
        {{L"/export:", L"out.csv"}, L"/export:"},
        {{L"/export"}, L""},
        {{L"/export", L""}, L""},
        {{L"/export", L"a.csv", L"b.csv"}, L"b.csv"},
        {{L"/export", L"/x"}, L"/x"},
        {{L"/help"}, L"/help"},
        {{L"/"}, L"/"},
        {{L"-"}, L"-"},
        {{L"a.csv", L"b.csv"}, L"b.csv"},
        {{L"a.csv", L"/export"}, L"/export"},
        {{L""}, L""},
    };
    for (const auto& c : cases) {
        const ProgramArguments parsed = Parse(c.arguments);
        EXPECT_EQ(parsed.command, ProgramCommand::Usage) << c.arguments[0];
        EXPECT_EQ(parsed.unexpected, c.unexpected) << c.arguments[0];
        EXPECT_TRUE(parsed.files.empty());
    }
}

// A command with options of its own, as a comparison of inventories would have them.
TEST(ProgramArguments, ACommandsOwnOptionsTakeTheirValuesAnywhereAfterIt) {
    const std::vector<CommandRule> rules = {
        {nullptr, ProgramCommand::Window, 0, 1, {}},
        {L"compare", ProgramCommand::Export, 1, 3, {{L"out", true}, {L"state", false}}},
    };
    const ProgramArguments parsed =
        ParseArguments({L"/compare", L"base.csv", L"/OUT", L"r.csv", L"x.csv", L"-state"}, rules);
    EXPECT_EQ(parsed.command, ProgramCommand::Export);
    EXPECT_EQ(parsed.files, (Args{L"base.csv", L"x.csv"}));
    ASSERT_EQ(parsed.options.size(), 2u);
    EXPECT_EQ(parsed.options[0].name, L"out");
    EXPECT_EQ(parsed.options[0].value, L"r.csv");
    EXPECT_EQ(parsed.options[1].name, L"state");
    EXPECT_EQ(parsed.options[1].value, L"");

    EXPECT_EQ(ParseArguments({L"/compare", L"b.csv", L"/out"}, rules).unexpected, L"");
    EXPECT_EQ(ParseArguments({L"/compare", L"b.csv", L"/out", L"/state"}, rules).unexpected,
              L"/state");
    EXPECT_EQ(ParseArguments({L"/compare", L"/state"}, rules).command, ProgramCommand::Usage);
    EXPECT_EQ(ParseArguments({L"a.csv", L"/out", L"r.csv"}, rules).unexpected, L"/out");
}

}  // namespace

// The command line read by its table: whatever the table does not describe is refused (the usage,
// never the window), naming the argument not understood.
#include <gtest/gtest.h>

#include "app/program_arguments.h"

namespace {

using Args = std::vector<std::wstring>;

TEST(ProgramArguments, EachArgumentListEndsInOneCommand) {
    const struct {
        Args arguments;
        ProgramCommand command;
        Args files;
        const wchar_t* unexpected;
    } cases[] = {
        {{}, ProgramCommand::Window, {}, L""},
        {{L"C:\\saved\\a b.csv"}, ProgramCommand::Window, {L"C:\\saved\\a b.csv"}, L""},
        {{L"-EXPORT", L"out.csv"}, ProgramCommand::Export, {L"out.csv"}, L""},
        {{L"/?"}, ProgramCommand::Help, {}, L""},
        {{L"/?", L"x"}, ProgramCommand::Usage, {}, L"x"},
        {{L"/export:out.csv"}, ProgramCommand::Usage, {}, L"/export:out.csv"},
        {{L"/export:", L"out.csv"}, ProgramCommand::Usage, {}, L"/export:"},
        {{L"/export"}, ProgramCommand::Usage, {}, L""},
        {{L"/export", L""}, ProgramCommand::Usage, {}, L""},
        {{L"/export", L"a.csv", L"b.csv"}, ProgramCommand::Usage, {}, L"b.csv"},
        {{L"/export", L"-x"}, ProgramCommand::Usage, {}, L"-x"},
        {{L"/"}, ProgramCommand::Usage, {}, L"/"},
        {{L"a.csv", L"b.csv"}, ProgramCommand::Usage, {}, L"b.csv"},
        {{L"a.csv", L"/export"}, ProgramCommand::Usage, {}, L"/export"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramArguments parsed = ParseProgramArguments(c.arguments);
        EXPECT_EQ(parsed.command, c.command);
        EXPECT_EQ(parsed.files, c.files);
        EXPECT_EQ(parsed.unexpected, c.unexpected);
    }
}

// /compare: options of its own, with their values, anywhere after it, each once.
TEST(ProgramArguments, ACommandsOwnOptionsTakeTheirValuesAnywhereAfterIt) {
    const ProgramArguments parsed = ParseProgramArguments(
        {L"/compare", L"base.csv", L"/OUT", L"r.csv", L"x.csv", L"-state", L"y.csv"});
    EXPECT_EQ(parsed.command, ProgramCommand::Compare);
    EXPECT_EQ(parsed.files, (Args{L"base.csv", L"x.csv", L"y.csv"}));
    ASSERT_EQ(parsed.options.size(), 2u);
    EXPECT_EQ(parsed.options[0].name + L"=" + parsed.options[0].value, L"out=r.csv");
    EXPECT_EQ(parsed.options[1].name + L"=" + parsed.options[1].value, L"state=");
    ASSERT_TRUE(parsed.Option(L"out"));
    EXPECT_FALSE(ParseProgramArguments({L"/compare", L"b.csv"}).Option(L"state"));

    const struct {
        Args arguments;
        const wchar_t* unexpected;
    } refused[] = {
        {{L"/compare"}, L""},
        {{L"/compare", L"b.csv", L"/out"}, L""},
        {{L"/compare", L"b.csv", L"/out", L"/state"}, L"/state"},
        {{L"/compare", L"/state"}, L""},
        {{L"/compare", L"b.csv", L"/state", L"/STATE"}, L"/STATE"},
        {{L"/compare", L"b.csv", L"/out", L"a", L"/out", L"b"}, L"/out"},
        {{L"/export", L"a.csv", L"/state"}, L"/state"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const ProgramArguments parsed = ParseProgramArguments(c.arguments);
        EXPECT_EQ(parsed.command, ProgramCommand::Usage);
        EXPECT_EQ(parsed.unexpected, c.unexpected);
    }
    // A table without the form without a command refuses a plain argument, and no argument.
    const std::vector<CommandRule> rules = {{L"x", ProgramCommand::Export, 0, 0, {}}};
    EXPECT_EQ(ParseArguments({L"a.csv"}, rules).unexpected, L"a.csv");
    EXPECT_EQ(ParseArguments({}, rules).command, ProgramCommand::Usage);
}

}  // namespace

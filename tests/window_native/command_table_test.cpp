// Which table runs a command and whether it counts as enabled: the first table with a handler
// decides, an entry without a handler is passed over, a command nobody handles is disabled.
#include "window/command_table.h"

#include <gtest/gtest.h>

namespace {

constexpr CommandId kCommand = 32771;

TEST(CommandRouting, TheFirstTableWithAHandlerRunsTheCommand) {
    int ran = 0;
    CommandTable view, frame, app;
    view.Add(kCommand, {}, [] { return false; });  // an update function alone handles nothing
    frame.Add(kCommand, [&] { ran = 2; });
    app.Add(kCommand, [&] { ran = 3; });
    EXPECT_TRUE(RouteCommandThrough({nullptr, &view, &frame, &app}, kCommand));
    EXPECT_EQ(ran, 2);
    EXPECT_FALSE(RouteCommandThrough({&view, nullptr}, kCommand));
    EXPECT_FALSE(RouteCommandThrough({&frame, &app}, kCommand + 1));
}

TEST(CommandRouting, TheFirstHandlersUpdateFunctionDecides) {
    bool allowed = false;
    CommandTable view, frame, app;
    frame.Add(
        kCommand, [] {}, [&] { return allowed; });
    app.Add(kCommand, [] {});  // would always be enabled, but comes later
    EXPECT_FALSE(IsCommandEnabledIn({&view, &frame, &app}, kCommand));
    allowed = true;
    EXPECT_TRUE(IsCommandEnabledIn({&view, &frame, &app}, kCommand));
    EXPECT_TRUE(IsCommandEnabledIn({&app}, kCommand));  // no update function: enabled

    int ran = 0;
    CommandTable guarded;
    guarded.Add(
        kCommand, [&] { ++ran; }, [&] { return allowed; });
    allowed = false;
    EXPECT_TRUE(RouteCommandThrough({&guarded, &app}, kCommand));  // taken, and refused
    EXPECT_EQ(ran, 0);
    allowed = true;
    RouteCommandThrough({&guarded}, kCommand);
    EXPECT_EQ(ran, 1);

    view.Add(kCommand + 1, {}, [] { return true; });
    EXPECT_FALSE(IsCommandEnabledIn({&view, &frame, &app}, kCommand + 1));  // no handler anywhere
}

// While busy, a command registered as not for busy times is disabled and refused whatever its
// update function says; the others are not touched, and the rule is the first handler's.
TEST(CommandRouting, ACommandNotForBusyTimesIsRefusedWhileBusy) {
    int ran = 0;
    CommandTable frame, app;
    frame.AddNotWhileBusy(kCommand, [&] { ++ran; });
    frame.AddNotWhileBusy(
        kCommand + 1, [&] { ran += 10; }, [] { return false; });
    frame.Add(kCommand + 2, [&] { ran += 100; });
    app.Add(kCommand, [&] { ran += 1000; });
    EXPECT_FALSE(IsCommandEnabledIn({&frame, &app}, kCommand, true));
    EXPECT_TRUE(RouteCommandThrough({&frame, &app}, kCommand, true));  // taken, and refused
    EXPECT_TRUE(IsCommandEnabledIn({&frame}, kCommand + 2, true));
    RouteCommandThrough({&frame}, kCommand + 2, true);
    EXPECT_EQ(ran, 100);
    EXPECT_TRUE(IsCommandEnabledIn({&frame, &app}, kCommand, false));
    EXPECT_FALSE(IsCommandEnabledIn({&frame}, kCommand + 1, false));  // its update still counts
    RouteCommandThrough({&frame, &app}, kCommand);
    EXPECT_EQ(ran, 101);
}

}  // namespace

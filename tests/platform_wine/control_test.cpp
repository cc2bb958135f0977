// Service sessions against Wine's live service manager: a start really starts the service (sc.exe
// sees it running), a stop stops it, refusals come back with the manager's error codes.
#include <windows.h>

#include <gtest/gtest.h>

#include "catalogue/service_item.h"
#include "tests/support/live_system.h"
#include "platform/win32/win32_system.h"

namespace {

TEST(ServiceSession, StartsAndStopsSpoolerForReal) {
    Win32System system;
    std::unique_ptr<ServiceSession> session;
    ASSERT_EQ(system.OpenServiceSession(u"Spooler", kStartAccess | kServiceStop, session), 0u);
    ASSERT_NE(session, nullptr);
    ServiceStatusFields status;
    ASSERT_EQ(session->QueryStatus(status), 0u);
    ASSERT_EQ(status.dwCurrentState, kStateStopped);

    EXPECT_EQ(session->Start(), 0u);
    EXPECT_TRUE(ScReaches("Spooler", kStateRunning));
    ASSERT_EQ(session->QueryStatus(status), 0u);
    EXPECT_EQ(status.dwCurrentState, kStateRunning);
    // A second start of a running service is the manager's refusal, passed on as it is.
    EXPECT_EQ(session->Start(), static_cast<uint32_t>(ERROR_SERVICE_ALREADY_RUNNING));

    EXPECT_EQ(session->Stop(), 0u);
    EXPECT_TRUE(ScReaches("Spooler", kStateStopped));
    EXPECT_EQ(session->Stop(), static_cast<uint32_t>(ERROR_SERVICE_NOT_ACTIVE));
}

TEST(ServiceSession, DisabledServiceRefusesToStart) {
    Win32System system;
    RegistryValue start;
    ASSERT_TRUE(
        system.ReadValue("SYSTEM\\CurrentControlSet\\Services\\LanmanServer", "Start", start));
    ASSERT_EQ(start.data, (std::vector<uint8_t>{4, 0, 0, 0}));  // Wine registers it disabled
    std::unique_ptr<ServiceSession> session;
    ASSERT_EQ(system.OpenServiceSession(u"LanmanServer", kStartAccess, session), 0u);
    EXPECT_EQ(session->Start(), static_cast<uint32_t>(ERROR_SERVICE_DISABLED));
    ServiceStatusFields status;
    ASSERT_EQ(session->QueryStatus(status), 0u);
    EXPECT_EQ(status.dwCurrentState, kStateStopped);
}

TEST(ServiceSession, MissingServiceGivesItsErrorAndNoSession) {
    Win32System system;
    std::unique_ptr<ServiceSession> session;
    EXPECT_EQ(system.OpenServiceSession(u"OrvaneNoSuchService", kStartAccess, session),
              static_cast<uint32_t>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(session, nullptr);
}

}  // namespace

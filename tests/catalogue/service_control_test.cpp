// Starting and stopping by name: which requests are made, what the result says, sessions released.
#include "tests/catalogue/catalogue_fixture.h"

namespace {

class ServiceControlTest : public CatalogueTest {
protected:
    FakeService& Add(uint32_t state) {
        return fake.AddService(kServiceTypeWin32, "svc", "s.exe", 3, state);
    }

    void TearDown() override { EXPECT_EQ(fake.OpenSessions(), 0); }

    ServiceControlResult result;
};

TEST_F(ServiceControlTest, StartOfStoppedServiceStartsIt) {
    FakeService& svc = Add(kStateStopped);
    list.Reload();
    EXPECT_TRUE(list.StartServiceByName("svc", &result));
    EXPECT_TRUE(result.succeeded);
    EXPECT_EQ(result.error, 0u);
    EXPECT_EQ(svc.startRequests, 1);
    // The record keeps the state of its load; the next load sees the change.
    EXPECT_EQ(Record("svc").ServiceStatus.dwCurrentState, kStateStopped);
    list.Reload();
    EXPECT_EQ(Record("svc").ServiceStatus.dwCurrentState, kStateRunning);
}

TEST_F(ServiceControlTest, StartOfStartedServiceMakesNoRequest) {
    for (uint32_t state : {kStateStartPending, kStateRunning, kStateContinuePending}) {
        FakeSystem system;
        CServiceList services(system, system);
        FakeService& svc = system.AddService(kServiceTypeWin32, "svc", "s.exe", 3, state);
        EXPECT_TRUE(services.StartServiceByName("svc", &result)) << state;
        EXPECT_TRUE(result.succeeded);
        EXPECT_EQ(svc.startRequests, 0);
    }
}

TEST_F(ServiceControlTest, StartOfPausedServiceIsRequested) {
    FakeService& svc = Add(kStatePaused);
    EXPECT_FALSE(list.StartServiceByName("svc", &result));
    EXPECT_EQ(svc.startRequests, 1);
    EXPECT_EQ(result.error, kErrorServiceAlreadyRunning);
}

TEST_F(ServiceControlTest, RefusedStartReportsItsError) {
    Add(kStateStopped).startError = 1058;  // ERROR_SERVICE_DISABLED
    EXPECT_FALSE(list.StartServiceByName("svc", &result));
    EXPECT_FALSE(result.succeeded);
    EXPECT_FALSE(result.alreadyStopped);
    EXPECT_EQ(result.error, 1058u);
}

TEST_F(ServiceControlTest, StopOfStoppedServiceMakesNoRequest) {
    for (uint32_t state : {kStateStopped, kStateStopPending}) {
        FakeSystem system;
        CServiceList services(system, system);
        FakeService& svc = system.AddService(kServiceTypeWin32, "svc", "s.exe", 3, state);
        EXPECT_FALSE(services.StopServiceByName("svc", &result)) << state;
        EXPECT_TRUE(result.alreadyStopped);
        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.error, 0u);
        EXPECT_EQ(svc.stopRequests, 0);
    }
}

TEST_F(ServiceControlTest, StopOfRunningOrPausedServiceStopsIt) {
    for (uint32_t state : {kStateRunning, kStatePaused, kStateStartPending}) {
        FakeSystem system;
        CServiceList services(system, system);
        FakeService& svc = system.AddService(kServiceTypeWin32, "svc", "s.exe", 3, state);
        EXPECT_TRUE(services.StopServiceByName("svc", &result)) << state;
        EXPECT_TRUE(result.succeeded);
        EXPECT_EQ(svc.stopRequests, 1);
        EXPECT_EQ(svc.entry.status.dwCurrentState, kStateStopped);
    }
}

TEST_F(ServiceControlTest, RefusedStopReportsItsError) {
    Add(kStateRunning).stopError = 1051;  // ERROR_DEPENDENT_SERVICES_RUNNING
    EXPECT_FALSE(list.StopServiceByName("svc", &result));
    EXPECT_EQ(result.error, 1051u);
    EXPECT_FALSE(result.alreadyStopped);
}

TEST_F(ServiceControlTest, FailuresBeforeTheRequestReportTheirCall) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_FALSE(list.StartServiceByName("nosuch", &result));
    EXPECT_EQ(result.error, kErrorServiceDoesNotExist);

    svc.queryError = 6;  // ERROR_INVALID_HANDLE
    EXPECT_FALSE(list.StopServiceByName("svc", &result));
    EXPECT_EQ(result.error, 6u);
    EXPECT_FALSE(result.alreadyStopped);

    svc.openError = kErrorAccessDenied;
    EXPECT_FALSE(list.StartServiceByName("svc", &result));
    EXPECT_EQ(result.error, kErrorAccessDenied);
    EXPECT_EQ(svc.startRequests + svc.stopRequests, 0);
}

TEST_F(ServiceControlTest, ManagerThatCannotOpenFailsBoth) {
    Add(kStateRunning);
    fake.SetManagerFails(true);
    EXPECT_FALSE(list.StartServiceByName("svc", &result));
    EXPECT_EQ(result.error, kErrorAccessDenied);
    EXPECT_FALSE(list.StopServiceByName("svc"));
}

TEST_F(ServiceControlTest, ResultStartsFreshEachCall) {
    Add(kStateStopped);
    EXPECT_FALSE(list.StopServiceByName("svc", &result));
    EXPECT_TRUE(list.StartServiceByName("svc", &result));
    EXPECT_FALSE(result.alreadyStopped);
    EXPECT_FALSE(list.StartServiceByName(nullptr, &result));
    EXPECT_FALSE(result.succeeded);
}

}  // namespace

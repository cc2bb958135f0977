// Starting and stopping by name: which requests are made, what the result says, sessions released;
// following the service to where it was sent, on a clock of the test's own; start-type changes.
#include <numeric>

#include "tests/catalogue/catalogue_fixture.h"

namespace {

// Time moves only when the follower waits.
struct TestClock : FollowClock {
    uint64_t now = 5000;
    std::vector<uint32_t> waits;
    uint64_t NowMs() override { return now; }
    void Wait(uint32_t ms) override {
        waits.push_back(ms);
        now += ms;
    }
    uint64_t Waited() const { return std::accumulate(waits.begin(), waits.end(), uint64_t{0}); }
};

ServiceStatusFields Status(uint32_t state, uint32_t checkPoint = 0, uint32_t waitHint = 0,
                           uint32_t exitCode = 0, uint32_t specific = 0) {
    ServiceStatusFields status;
    status.dwCurrentState = state;
    status.dwCheckPoint = checkPoint;
    status.dwWaitHint = waitHint;
    status.dwWin32ExitCode = exitCode;
    status.dwServiceSpecificExitCode = specific;
    return status;
}

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

class FollowTest : public ServiceControlTest {
protected:
    bool Start(FakeService& svc, const std::vector<ServiceStatusFields>& script) {
        svc.afterStart = script;
        return list.StartServiceByName(u"svc", &result, &clock);
    }
    TestClock clock;
};

TEST_F(FollowTest, StartIsFollowedThroughItsCheckPointsToRunning) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_TRUE(Start(svc, {Status(kStateStartPending, 1, 3000),
                            Status(kStateStartPending, 2, 3000), Status(kStateRunning)}));
    EXPECT_TRUE(result.followed);
    EXPECT_EQ(result.status.dwCurrentState, kStateRunning);
    EXPECT_EQ(clock.waits, (std::vector<uint32_t>{1000, 1000}));  // a tenth of 3 s, at least 1 s
}

TEST_F(FollowTest, PollsATenthOfTheWaitHintBetweenOneAndTenSeconds) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_TRUE(Start(svc, {Status(kStateStartPending, 1, 50000),
                            Status(kStateStartPending, 2, 200000), Status(kStateRunning)}));
    EXPECT_EQ(clock.waits, (std::vector<uint32_t>{5000, 10000}));
}

TEST_F(FollowTest, StartThatEndsStoppedFailsWithTheServicesExitCode) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_FALSE(Start(svc, {Status(kStateStartPending, 1, 2000),
                             Status(kStateStopPending, 1, 2000), Status(kStateStopped, 0, 0, 2)}));
    EXPECT_TRUE(result.followed);
    EXPECT_EQ(result.status.dwCurrentState, kStateStopped);
    EXPECT_EQ(result.error, 2u);

    svc.entry.status = Status(kStateStopped);
    EXPECT_FALSE(Start(svc, {Status(kStateStopped, 0, 0, kErrorServiceSpecificError, 42)}));
    EXPECT_EQ(result.error, kErrorServiceSpecificError);
    EXPECT_EQ(result.serviceSpecificError, 42u);

    svc.entry.status = Status(kStateStopped);
    EXPECT_FALSE(Start(svc, {Status(kStateStopped)}));  // stopped again, no exit code
    EXPECT_TRUE(result.followed);
    EXPECT_EQ(result.error, 0u);
}

TEST_F(FollowTest, PendingWithoutProgressWithinItsWaitHintTimesOut) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_FALSE(Start(svc, {Status(kStateStartPending, 1, 2000)}));
    EXPECT_EQ(result.error, kErrorServiceRequestTimeout);
    EXPECT_EQ(result.status.dwCurrentState, kStateStartPending);
    EXPECT_EQ(clock.Waited(), 3000u);  // the first poll past the 2 s hint gives up
}

TEST_F(FollowTest, StopIsFollowedForThirtySecondsAtMost) {
    // Ignored: the service stays running.
    FakeService& svc = Add(kStateRunning);
    svc.afterStop = {Status(kStateRunning)};
    EXPECT_FALSE(list.StopServiceByName(u"svc", &result, &clock));
    EXPECT_EQ(result.error, kErrorServiceRequestTimeout);
    EXPECT_EQ(result.status.dwCurrentState, kStateRunning);
    EXPECT_EQ(clock.Waited(), kFollowBoundMs);

    // Progress for ever does not extend the bound either.
    svc.entry.status = Status(kStateRunning);
    svc.afterStop.clear();
    for (uint32_t i = 1; i < 100; ++i)
        svc.afterStop.push_back(Status(kStateStopPending, i, 25000));
    clock.waits.clear();
    EXPECT_FALSE(list.StopServiceByName(u"svc", &result, &clock));
    EXPECT_EQ(result.status.dwCurrentState, kStateStopPending);
    EXPECT_EQ(clock.Waited(), kFollowBoundMs);

    // A shorter bound, as a caller may set it.
    svc.entry.status = Status(kStateRunning);
    svc.queued.clear();
    svc.afterStop = {Status(kStateRunning)};
    clock.waits.clear();
    EXPECT_FALSE(list.StopServiceByName(u"svc", &result, &clock, 2500));
    EXPECT_EQ(clock.waits, (std::vector<uint32_t>{1000, 1000, 500}));
}

TEST_F(FollowTest, ServiceAlreadyOnItsWayIsFollowedWithoutARequest) {
    FakeService& svc = Add(kStateStopPending);
    svc.queued = {Status(kStateStopPending, 1, 5000), Status(kStateStopped)};
    EXPECT_TRUE(list.StopServiceByName(u"svc", &result, &clock));
    EXPECT_FALSE(result.alreadyStopped);
    EXPECT_EQ(svc.stopRequests, 0);

    svc.entry.status = Status(kStateStartPending, 1, 1000);
    svc.queued = {Status(kStateRunning)};
    EXPECT_TRUE(list.StartServiceByName(u"svc", &result, &clock));
    EXPECT_EQ(svc.startRequests, 0);
    EXPECT_EQ(result.status.dwCurrentState, kStateRunning);
}

TEST_F(FollowTest, FailedQueryWhileFollowingIsTheError) {
    FakeService& svc = Add(kStateStopped);
    svc.afterStart = {Status(kStateStartPending, 1, 1000)};
    clock.now = 0;
    struct FailingClock : TestClock {
        FakeService* svc = nullptr;
        void Wait(uint32_t ms) override {
            TestClock::Wait(ms);
            svc->queryError = 6;
        }
    } failing;
    failing.svc = &svc;
    EXPECT_FALSE(list.StartServiceByName(u"svc", &result, &failing));
    EXPECT_EQ(result.error, 6u);
    EXPECT_FALSE(result.followed);
}

TEST_F(ServiceControlTest, StartTypeChangesThroughTheManager) {
    FakeService& svc = Add(kStateStopped);
    fake.AddService(kServiceTypeDriver, "drv", "d.sys", 3);
    uint32_t start = 0;
    EXPECT_EQ(ChangeServiceStartType(fake, u"svc", 4), 0u);
    ASSERT_TRUE(fake.GetValue(FakeSystem::ServiceKey("svc").c_str(), "Start", &start, 4));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(ChangeServiceStartType(fake, u"drv", 0), 0u);  // boot start is for drivers

    // Refused before the manager is asked: boot or system start for a Win32 service, or no type.
    for (uint32_t refused : {0u, 1u, 5u, kStartUnknown})
        EXPECT_EQ(ChangeServiceStartType(fake, u"svc", refused), kErrorInvalidParameter);
    EXPECT_EQ(svc.changeRequests, 1);

    svc.changeError = kErrorAccessDenied;
    EXPECT_EQ(ChangeServiceStartType(fake, u"svc", 2), kErrorAccessDenied);
    fake.DeleteService("svc");
    EXPECT_EQ(ChangeServiceStartType(fake, u"svc", 2), kErrorServiceDoesNotExist);
    RegistryValue value;
    EXPECT_FALSE(fake.ReadValue(FakeSystem::ServiceKey("svc").c_str(), "Start", value));
}

}  // namespace

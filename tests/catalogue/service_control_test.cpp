// Starting and stopping by name: which requests are made, what the result says, sessions released;
// following the service to where it was sent, on a clock of the test's own; start-type changes.
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/test_clock.h"

#include <functional>

namespace {

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
    bool Start(const std::u16string& name, CServiceList& services) {
        return services.StartServiceByName(name, clock, result);
    }
    bool Stop(const std::u16string& name, CServiceList& services) {
        return services.StopServiceByName(name, clock, result);
    }
    bool Start(const std::u16string& name = u"svc") { return Start(name, list); }
    bool Stop(const std::u16string& name = u"svc") { return Stop(name, list); }

    void TearDown() override { EXPECT_EQ(fake.OpenSessions(), 0); }

    TestClock clock;
    ServiceControlResult result;
};

TEST_F(ServiceControlTest, StartOfStoppedServiceStartsIt) {
    FakeService& svc = Add(kStateStopped);
    list.Reload();
    EXPECT_TRUE(Start());
    EXPECT_TRUE(result.succeeded && result.followed);
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
        svc.queued = {Status(kStateRunning)};
        EXPECT_TRUE(Start(u"svc", services)) << state;
        EXPECT_TRUE(result.succeeded);
        EXPECT_EQ(svc.startRequests, 0);
    }
}

TEST_F(ServiceControlTest, StartOfPausedServiceIsRequested) {
    FakeService& svc = Add(kStatePaused);
    EXPECT_FALSE(Start());
    EXPECT_EQ(svc.startRequests, 1);
    EXPECT_EQ(result.error, kErrorServiceAlreadyRunning);
}

TEST_F(ServiceControlTest, RefusedStartReportsItsError) {
    Add(kStateStopped).startError = 1058;  // ERROR_SERVICE_DISABLED
    EXPECT_FALSE(Start());
    EXPECT_FALSE(result.succeeded);
    EXPECT_FALSE(result.alreadyStopped);
    EXPECT_FALSE(result.followed);
    EXPECT_EQ(result.error, 1058u);
}

TEST_F(ServiceControlTest, StopOfStoppedServiceMakesNoRequest) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_FALSE(Stop());
    EXPECT_TRUE(result.alreadyStopped);
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.error, 0u);
    EXPECT_EQ(svc.stopRequests, 0);
}

TEST_F(ServiceControlTest, StopOfRunningOrPausedServiceStopsIt) {
    for (uint32_t state : {kStateRunning, kStatePaused, kStateStartPending}) {
        FakeSystem system;
        CServiceList services(system, system);
        FakeService& svc = system.AddService(kServiceTypeWin32, "svc", "s.exe", 3, state);
        EXPECT_TRUE(Stop(u"svc", services)) << state;
        EXPECT_TRUE(result.succeeded);
        EXPECT_EQ(svc.stopRequests, 1);
        EXPECT_EQ(svc.entry.status.dwCurrentState, kStateStopped);
    }
}

TEST_F(ServiceControlTest, RefusedStopReportsItsError) {
    Add(kStateRunning).stopError = 1051;  // ERROR_DEPENDENT_SERVICES_RUNNING
    EXPECT_FALSE(Stop());
    EXPECT_EQ(result.error, 1051u);
    EXPECT_FALSE(result.alreadyStopped);
}

TEST_F(ServiceControlTest, FailuresBeforeTheRequestReportTheirCall) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_FALSE(Start(u"nosuch"));
    EXPECT_EQ(result.error, kErrorServiceDoesNotExist);

    svc.queryError = 6;  // ERROR_INVALID_HANDLE
    EXPECT_FALSE(Stop());
    EXPECT_EQ(result.error, 6u);
    EXPECT_FALSE(result.alreadyStopped);

    svc.openError = kErrorAccessDenied;
    EXPECT_FALSE(Start());
    EXPECT_EQ(result.error, kErrorAccessDenied);
    EXPECT_EQ(svc.startRequests + svc.stopRequests, 0);
    EXPECT_TRUE(clock.waits.empty());
}

TEST_F(ServiceControlTest, ManagerThatCannotOpenFailsBoth) {
    Add(kStateRunning);
    fake.SetManagerFails(true);
    EXPECT_FALSE(Start());
    EXPECT_EQ(result.error, kErrorAccessDenied);
    EXPECT_FALSE(Stop());
    EXPECT_EQ(result.error, kErrorAccessDenied);
}

// Each operation asks for the rights its calls need and no more (the manager: connect; the
// service: the request's right and status queries), so it works on a service whose descriptor
// grants only those, as Task Scheduler's grants administrators less than full control.
TEST_F(ServiceControlTest, EachOperationAsksForTheRightsItNeedsAndWorksWithThemAlone) {
    FakeService& svc = Add(kStateStopped);
    struct Operation {
        uint32_t rights;
        std::function<bool()> run;
    };
    const Operation operations[] = {
        {kServiceStart | kServiceQueryStatus, [&] { return Start(); }},
        {kServiceStop | kServiceQueryStatus, [&] { return Stop(); }},
        {kServiceChangeConfig | kServiceQueryStatus,
         [&] { return ChangeServiceStartType(fake, u"svc", 4) == 0; }},
    };
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.rights);
        svc.grantedAccess = operation.rights;
        fake.ClearAccessRequests();
        EXPECT_TRUE(operation.run());
        ASSERT_EQ(fake.AccessRequests().size(), 2u);
        EXPECT_EQ(fake.AccessRequests()[0].service, "");
        EXPECT_EQ(fake.AccessRequests()[0].access, kScManagerConnect);
        EXPECT_EQ(fake.AccessRequests()[1].service, "svc");
        EXPECT_EQ(fake.AccessRequests()[1].access, operation.rights);
    }
    EXPECT_EQ(svc.entry.status.dwCurrentState, kStateStopped);
    EXPECT_EQ(svc.startRequests + svc.stopRequests + svc.changeRequests, 3);

    // A grant that lacks one of them refuses the open whole, before any request.
    svc.grantedAccess = kServiceStart;
    EXPECT_FALSE(Start());
    EXPECT_EQ(result.error, kErrorAccessDenied);
    svc.grantedAccess = kFakeAllServiceRights & ~kServiceStop;
    EXPECT_FALSE(Stop());
    EXPECT_EQ(result.error, kErrorAccessDenied);
    EXPECT_EQ(svc.startRequests + svc.stopRequests, 2);
}

TEST_F(ServiceControlTest, ResultStartsFreshEachCall) {
    Add(kStateStopped);
    EXPECT_FALSE(Stop());
    EXPECT_TRUE(Start());
    EXPECT_FALSE(result.alreadyStopped);
}

class FollowTest : public ServiceControlTest {
protected:
    // A start of a stopped service that then goes through the script; the follower's waits.
    std::vector<uint32_t> Start(const std::vector<ServiceStatusFields>& script) {
        FakeService& svc = *fake.Service("svc");
        svc.entry.status = Status(kStateStopped);
        svc.queued.clear();
        svc.afterStart = script;
        clock.waits.clear();
        ServiceControlTest::Start();
        return clock.waits;
    }
    using ServiceControlTest::Start;
};

TEST_F(FollowTest, StartIsFollowedThroughItsCheckPointsAtATenthOfItsWaitHint) {
    Add(kStateStopped);
    EXPECT_EQ(Start({Status(kStateStartPending, 1, 3000), Status(kStateStartPending, 2, 50000),
                     Status(kStateStartPending, 3, 200000), Status(kStateRunning)}),
              (std::vector<uint32_t>{1000, 5000, 10000}));  // 1 to 10 seconds
    EXPECT_TRUE(result.succeeded && result.followed);
    EXPECT_EQ(result.status.dwCurrentState, kStateRunning);
}

TEST_F(FollowTest, StartThatEndsStoppedFailsWithTheServicesExitCode) {
    Add(kStateStopped);
    Start({Status(kStateStartPending, 1, 2000), Status(kStateStopPending, 1, 2000),
           Status(kStateStopped, 0, 0, 2)});
    EXPECT_FALSE(result.succeeded);
    EXPECT_EQ(result.status.dwCurrentState, kStateStopped);
    EXPECT_EQ(result.error, 2u);
    Start({Status(kStateStopped, 0, 0, kErrorServiceSpecificError, 42)});
    EXPECT_EQ(result.error, kErrorServiceSpecificError);
    EXPECT_EQ(result.serviceSpecificError, 42u);
    Start({Status(kStateStopped)});  // stopped again without an exit code
    EXPECT_TRUE(result.followed && !result.succeeded && result.error == 0);
}

TEST_F(FollowTest, GivesUpWithoutProgressWithinTheWaitHintAndAfterThirtySeconds) {
    FakeService& svc = Add(kStateStopped);
    EXPECT_EQ(Start({Status(kStateStartPending, 1, 2000)}),
              (std::vector<uint32_t>{1000, 1000, 1000}));  // the first poll past the hint
    EXPECT_EQ(result.error, kErrorServiceRequestTimeout);
    EXPECT_EQ(result.status.dwCurrentState, kStateStartPending);

    // A stop that is ignored, and one that progresses for ever: 30 seconds of waiting in all.
    auto stop = [&](const std::vector<ServiceStatusFields>& script, uint32_t bound) {
        svc.entry.status = Status(kStateRunning);
        svc.queued.clear();
        svc.afterStop = script;
        clock.waits.clear();
        EXPECT_FALSE(list.StopServiceByName(u"svc", clock, result, bound));
        EXPECT_EQ(result.error, kErrorServiceRequestTimeout);
        return clock.waits;
    };
    std::vector<ServiceStatusFields> forever;
    for (uint32_t i = 1; i < 100; ++i)
        forever.push_back(Status(kStateStopPending, i, 25000));
    stop({Status(kStateRunning)}, kFollowBoundMs);
    EXPECT_EQ(clock.Waited(), kFollowBoundMs);
    stop(forever, kFollowBoundMs);
    EXPECT_EQ(clock.Waited(), kFollowBoundMs);
    EXPECT_EQ(stop({Status(kStateRunning)}, 2500),  // a shorter bound, as tests set it
              (std::vector<uint32_t>{1000, 1000, 500}));
}

TEST_F(FollowTest, AWaitHintOfZeroPromisesNothingSoOnlyTheBoundEndsTheWait) {
    FakeService& svc = Add(kStateRunning);
    svc.afterStop = {Status(kStateStopPending), Status(kStateStopPending),
                     Status(kStateStopPending), Status(kStateStopped)};
    EXPECT_TRUE(Stop());
    EXPECT_EQ(clock.Waited(), 3000u);
}

TEST_F(FollowTest, ServiceAlreadyOnItsWayIsFollowedWithoutARequest) {
    FakeService& svc = Add(kStateStopPending);
    svc.queued = {Status(kStateStopPending, 1, 5000), Status(kStateStopped)};
    EXPECT_TRUE(Stop());
    svc.entry.status = Status(kStateStartPending, 1, 1000);
    svc.queued = {Status(kStateRunning)};
    EXPECT_TRUE(ServiceControlTest::Start());
    EXPECT_EQ(svc.startRequests + svc.stopRequests, 0);
}

TEST_F(ServiceControlTest, StartTypeChangesThroughTheManager) {
    FakeService& svc = Add(kStateStopped);
    fake.AddService(kServiceTypeDriver, "drv", "d.sys", 3);
    EXPECT_EQ(ChangeServiceStartType(fake, u"svc", 4), 0u);
    RegistryValue start;
    ASSERT_TRUE(fake.ReadValue(FakeSystem::ServiceKey("svc").c_str(), "Start", start));
    EXPECT_EQ(start.data, (std::vector<uint8_t>{4, 0, 0, 0}));
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

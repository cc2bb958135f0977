// The access rights the program asks of the service manager and of a service, under names of its
// own (the values are winsvc.h's), and the set each operation asks for. Windows checks every right
// asked for against the security descriptor before it grants a handle, and refuses the whole open
// when one of them is missing: an operation that asked for full access would fail where the rights
// it really needs are granted (a service whose descriptor gives administrators less than full
// control, a caller without elevation). So each operation asks for what its calls need, no more.
#pragma once

#include <cstdint>

// Rights on the service manager (OpenSCManager).
constexpr uint32_t kScManagerConnect = 0x0001;           // SC_MANAGER_CONNECT
constexpr uint32_t kScManagerEnumerateService = 0x0004;  // SC_MANAGER_ENUMERATE_SERVICE

// Rights on a service (OpenService).
constexpr uint32_t kServiceQueryConfig = 0x0001;          // SERVICE_QUERY_CONFIG
constexpr uint32_t kServiceChangeConfig = 0x0002;         // SERVICE_CHANGE_CONFIG
constexpr uint32_t kServiceQueryStatus = 0x0004;          // SERVICE_QUERY_STATUS
constexpr uint32_t kServiceEnumerateDependents = 0x0008;  // SERVICE_ENUMERATE_DEPENDENTS
constexpr uint32_t kServiceStart = 0x0010;                // SERVICE_START
constexpr uint32_t kServiceStop = 0x0020;                 // SERVICE_STOP

// What each operation asks for.
// An enumeration pass: EnumServicesStatus needs SC_MANAGER_ENUMERATE_SERVICE.
constexpr uint32_t kEnumerationAccess = kScManagerConnect | kScManagerEnumerateService;
// The manager under a service session: OpenService needs nothing beyond the connection.
constexpr uint32_t kSessionManagerAccess = kScManagerConnect;
// A start: StartService, then QueryServiceStatus while it is followed.
constexpr uint32_t kStartAccess = kServiceStart | kServiceQueryStatus;
// A stop: ControlService(SERVICE_CONTROL_STOP), then QueryServiceStatus while it is followed.
constexpr uint32_t kStopAccess = kServiceStop | kServiceQueryStatus;
// A start-type change: ChangeServiceConfig, after QueryServiceStatus tells a driver from a Win32
// service.
constexpr uint32_t kChangeStartTypeAccess = kServiceChangeConfig | kServiceQueryStatus;
// A pass of configuration queries: OpenService needs only the connection, QueryServiceConfig and
// QueryServiceConfig2 SERVICE_QUERY_CONFIG.
constexpr uint32_t kConfigQueryManagerAccess = kScManagerConnect;
constexpr uint32_t kConfigQueryAccess = kServiceQueryConfig;

// Listing the active services that depend on a service: EnumDependentServices.
constexpr uint32_t kEnumerateDependentsAccess = kServiceEnumerateDependents;

// The system error codes that the portable code reports and the fake platform answers with, under
// names of their own so that no part of the portable code needs <windows.h>.
#pragma once

#include <cstdint>

constexpr uint32_t kErrorFileNotFound = 2;               // ERROR_FILE_NOT_FOUND
constexpr uint32_t kErrorAccessDenied = 5;               // ERROR_ACCESS_DENIED
constexpr uint32_t kErrorNotEnoughMemory = 8;            // ERROR_NOT_ENOUGH_MEMORY
constexpr uint32_t kErrorNotSupported = 50;              // ERROR_NOT_SUPPORTED
constexpr uint32_t kErrorInvalidParameter = 87;          // ERROR_INVALID_PARAMETER
constexpr uint32_t kErrorMoreData = 234;                 // ERROR_MORE_DATA
constexpr uint32_t kErrorServiceRequestTimeout = 1053;   // ERROR_SERVICE_REQUEST_TIMEOUT
constexpr uint32_t kErrorServiceAlreadyRunning = 1056;   // ERROR_SERVICE_ALREADY_RUNNING
constexpr uint32_t kErrorServiceDisabled = 1058;         // ERROR_SERVICE_DISABLED
constexpr uint32_t kErrorServiceDoesNotExist = 1060;     // ERROR_SERVICE_DOES_NOT_EXIST
constexpr uint32_t kErrorServiceNotActive = 1062;        // ERROR_SERVICE_NOT_ACTIVE
constexpr uint32_t kErrorServiceSpecificError = 1066;    // ERROR_SERVICE_SPECIFIC_ERROR
constexpr uint32_t kErrorServiceMarkedForDelete = 1072;  // ERROR_SERVICE_MARKED_FOR_DELETE

// A stop refused while active services depend on the service.
constexpr uint32_t kErrorDependentServicesRunning = 1051;  // ERROR_DEPENDENT_SERVICES_RUNNING

// Checks shared by the Wine suites: a catalogue record against the registry as reg.exe prints it,
// and a wait for the service manager to settle.
#pragma once

#include "catalogue/service_item.h"
#include "tests/support/live_system.h"
#include "platform/win32/win32_system.h"

// Every registry-derived field of the record equals what the Services tree holds (keys from
// RegQueryTree of "SYSTEM\CurrentControlSet\Services"), or is empty for a service without a key.
// Indirect descriptions ("@...") are left to the caller.
void ExpectRecordMatchesRegistry(const SERVICE_ITEM& item, const RegKeys& keys);

// Automatic services start with the service manager; a comparison with sc must not race them.
void WaitUntilNoServicePending(Win32System& system);

// Services of the tests' own on Wine's running service manager: the test service built beside the
// test executable, registered demand-start under a name of the test's choosing with its behaviour
// in the arguments of its image path (see test_service.cpp). The manager takes them at once, with
// no restart, and forgets them again when they are removed.
#pragma once

#include <windows.h>

#include <string>

// Registers (or re-registers) the service; false when the manager refuses.
bool RegisterTestService(const std::wstring& name, const std::string& arguments);
// Ends the service if it runs (it obeys control 200 in every mode) and deletes it.
void RemoveTestService(const std::wstring& name);
// The service's status as the manager reports it; false when it cannot be read.
bool QueryTestService(const std::wstring& name, SERVICE_STATUS& status);
// Asks until the service is in the state (about five seconds at most).
bool TestServiceReaches(const std::wstring& name, DWORD state);
// Sets a value of the service's key directly, behind the manager's back (hostile data).
bool SetTestServiceValue(const std::wstring& name, const wchar_t* value, DWORD type,
                         const void* data, DWORD size);
// A value of the service's key: its type and data; false when missing.
bool GetTestServiceValue(const std::wstring& name, const wchar_t* value, DWORD& type,
                         std::wstring& text, DWORD& number);

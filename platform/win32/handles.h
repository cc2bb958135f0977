// Owners of the service-manager and registry handles, so every path out of an operation closes what
// it opened.
#pragma once

#include <windows.h>

// A service-manager or service handle, closed with CloseServiceHandle.
class ScHandle {
public:
    ScHandle() = default;
    explicit ScHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ScHandle() { Reset(); }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;

    SC_HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Closes what is held and takes the new handle (which may be null).
    void Reset(SC_HANDLE handle = nullptr) {
        if (handle_ != nullptr) {
            CloseServiceHandle(handle_);
        }
        handle_ = handle;
    }

private:
    SC_HANDLE handle_ = nullptr;
};

// An open registry key, closed with RegCloseKey.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    HKEY Get() const { return key_; }
    // For the opening call to fill; only used on a key that holds nothing yet.
    HKEY* Receive() { return &key_; }

private:
    HKEY key_ = nullptr;
};

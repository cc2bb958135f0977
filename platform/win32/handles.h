// Owners of the service-manager, registry, file and memory handles, so every path out of an
// operation closes what it opened.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

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

// A file (or other kernel object) handle, closed with CloseHandle. INVALID_HANDLE_VALUE, which
// CreateFile answers on failure, is held as no handle.
class FileHandle {
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE handle) { Reset(handle); }
    ~FileHandle() { Reset(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(HANDLE handle = nullptr) {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// Memory that a call allocated with LocalAlloc for its caller (CommandLineToArgvW's array).
struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using LocalMemory = std::unique_ptr<T, LocalFreeDeleter>;

// A GlobalAlloc block, freed unless release() hands it to its new owner (the clipboard).
struct GlobalFreeDeleter {
    void operator()(void* memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalFreeDeleter>;

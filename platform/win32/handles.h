// Ownership of system handles, one vocabulary for the whole program: UniqueHandle holds one handle
// and closes it with its own close function on every path out. The platform layer uses them for
// the service manager, the registry and files; the window side for GDI objects, icons, menus and
// image lists (its paint guards are in window/paint_guards.h).
#pragma once

#include <windows.h>
#include <commctrl.h>

// The value that stands for "no handle": null for most kinds, INVALID_HANDLE_VALUE for a few.
template <typename T>
struct NullHandle {
    static T Value() { return nullptr; }
};
struct InvalidHandleValue {
    static HANDLE Value() { return INVALID_HANDLE_VALUE; }
};

// One handle and the function that closes it. Move-only; closes what it holds when it goes, when
// it is reset and when an opening call receives into it.
template <typename T, auto Close, typename Empty = NullHandle<T>>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    T Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty::Value(); }

    // Closes what is held and takes the new handle (which may be none).
    void Reset(T handle = Empty::Value()) {
        if (handle_ != Empty::Value())
            Close(handle_);
        handle_ = handle;
    }
    // Gives the handle up without closing it: whoever takes it closes it now.
    T Release() {
        T handle = handle_;
        handle_ = Empty::Value();
        return handle;
    }
    // For an opening call that returns the handle through a pointer; what was held is closed.
    T* Receive() {
        Reset();
        return &handle_;
    }

private:
    T handle_ = Empty::Value();
};

// The service manager and its services.
using ScHandle = UniqueHandle<SC_HANDLE, CloseServiceHandle>;
// An open registry key.
using RegKey = UniqueHandle<HKEY, RegCloseKey>;
// A file search of FindFirstFile.
using FindHandle = UniqueHandle<HANDLE, FindClose, InvalidHandleValue>;
// A kernel object: a process, a thread, a pipe end.
using KernelHandle = UniqueHandle<HANDLE, CloseHandle>;
// A module of LoadLibraryEx (a file mapped as data, for its resources).
using ModuleHandle = UniqueHandle<HMODULE, FreeLibrary>;

// GDI objects made by the program (never stock objects).
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;

// User objects: icons of LoadImage (not shared resource icons), menus no window owns yet, image
// lists no control owns.
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;

// A file, closed with CloseHandle; CreateFile answers INVALID_HANDLE_VALUE for none.
using FileHandle = UniqueHandle<HANDLE, CloseHandle, InvalidHandleValue>;
// Memory that a call allocated with LocalAlloc for its caller (CommandLineToArgvW's array).
template <typename T>
using LocalMemory = UniqueHandle<T*, LocalFree>;
// A GlobalAlloc block, freed unless Release() hands it to its new owner (the clipboard).
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalFree>;

#include "window/pane_accessibility.h"

#include <objbase.h>
#include <oleacc.h>

#include <new>

namespace {

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// oleacc.dll is loaded from the system folder only, never from beside the program. It stays loaded
// for the life of the process: the proxies of objects handed to other processes run its code.
HMODULE LoadOleacc() {
    wchar_t path[MAX_PATH] = L"";
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    const wchar_t name[] = L"\\oleacc.dll";
    if (length == 0 || length + sizeof name / sizeof name[0] > MAX_PATH)
        return nullptr;
    lstrcatW(path, name);
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT TextResult(const std::wstring& text, BSTR* out) {
    if (!out)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

// The standard object of the window's client area, with the pane's own name, value, role and
// state for the pane itself (CHILDID_SELF); everything else is the standard object's answer.
class PaneAccessibility::Object : public IAccessible, public IOleWindow {
public:
    Object(HWND hwnd, IAccessible* standard, const AccessibleText& source)
        : hwnd_(hwnd), standard_(standard), source_(&source) {}

    void Disconnect() {
        source_ = nullptr;
        if (standard_) {
            standard_->Release();
            standard_ = nullptr;
        }
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (!object)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
        } else if (riid == __uuidof(IOleWindow)) {
            *object = static_cast<IOleWindow*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            Disconnect();
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients of this object call its methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow: WindowFromAccessibleObject finds the pane's window.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (!hwnd)
            return E_POINTER;
        *hwnd = hwnd_;
        return standard_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible: the pane's own answers.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        return TextResult(source_->AccessibleName(), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child))
            return standard_->get_accValue(child, value);
        return TextResult(source_->AccessibleValue(), value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        if (!IsSelf(child))
            return standard_->get_accRole(child, role);
        if (!role)
            return E_POINTER;
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_TEXT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!standard_)
            return CO_E_OBJNOTCONNECTED;
        const HRESULT hr = standard_->get_accState(child, state);
        if (SUCCEEDED(hr) && IsSelf(child) && state && state->vt == VT_I4)
            state->lVal |= STATE_SYSTEM_READONLY;
        return hr;
    }

    // IAccessible: the standard object's answers.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_ ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_ ? standard_->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_ ? standard_->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_ ? standard_->get_accDescription(child, text) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return standard_ ? standard_->get_accHelp(child, text) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_ ? standard_->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return standard_ ? standard_->get_accKeyboardShortcut(child, text) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_ ? standard_->get_accFocus(child) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_ ? standard_->get_accSelection(children) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return standard_ ? standard_->get_accDefaultAction(child, text) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_ ? standard_->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_ ? standard_->accLocation(left, top, width, height, child)
                         : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_ ? standard_->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_ ? standard_->accHitTest(x, y, child) : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_ ? standard_->accDoDefaultAction(child) : CO_E_OBJNOTCONNECTED;
    }
    // Setting a name or a value is not supported by Active Accessibility any more.
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~Object() = default;

    LONG references_ = 1;
    HWND hwnd_;
    IAccessible* standard_;
    const AccessibleText* source_;
};

PaneAccessibility::~PaneAccessibility() {
    Disconnect();
    if (apartment_)
        CoUninitialize();
}

bool PaneAccessibility::OnGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The object id is a 32-bit value; sign extension must not hide OBJID_CLIENT on 64 bits.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT) || !hwnd)
        return false;
    if (!oleacc_)
        oleacc_ = LoadOleacc();
    if (!oleacc_)
        return false;
    auto createStandard = reinterpret_cast<CreateStdAccessibleObjectFunction>(
        GetProcAddress(oleacc_, "CreateStdAccessibleObject"));
    auto toResult =
        reinterpret_cast<LresultFromObjectFunction>(GetProcAddress(oleacc_, "LresultFromObject"));
    if (!createStandard || !toResult)
        return false;
    // The object is handed to another process through COM: the thread that answers must be in an
    // apartment. The user-interface thread enters a single-threaded one (unless it is in one
    // already) and stays there while the pane lives.
    if (!apartment_)
        apartment_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (!object_) {
        IAccessible* standard = nullptr;
        if (FAILED(createStandard(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                  reinterpret_cast<void**>(&standard))) ||
            !standard)
            return false;
        object_ = new (std::nothrow) Object(hwnd, standard, source_);
        if (!object_) {
            standard->Release();
            return false;
        }
    }
    // A new reference for every request; the client releases it.
    result = toResult(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return true;
}

void PaneAccessibility::NotifyValueChanged(HWND hwnd) {
    if (hwnd)
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

void PaneAccessibility::Disconnect() {
    if (!object_)
        return;
    object_->Disconnect();
    object_->Release();
    object_ = nullptr;
}

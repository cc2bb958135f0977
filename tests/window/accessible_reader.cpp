// A second process for the accessibility tests: reads the accessible object of a window's client
// area as a screen reader does (AccessibleObjectFromWindow) and prints, in UTF-8, its name, its
// role and whether it is read-only, one a line, then its value (which may hold line breaks of its
// own). Exit code 2 when the window gives no object.
#include <windows.h>
#include <oleacc.h>

#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const BSTR text) {
    if (!text)
        return std::string();
    const int length = static_cast<int>(SysStringLen(text));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? static_cast<size_t>(bytes) : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &utf8[0], bytes, nullptr, nullptr);
    return utf8;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 1;
    const auto hwnd =
        reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(argv[1], nullptr, 10)));
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        !object) {
        return 2;
    }
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    BSTR value = nullptr;
    VARIANT role = {};
    VARIANT state = {};
    object->get_accName(self, &name);
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    object->get_accValue(self, &value);
    const bool readOnly = state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_READONLY);
    std::string out = Utf8(name) + "\n" + std::to_string(role.vt == VT_I4 ? role.lVal : -1) + "\n" +
                      (readOnly ? "read-only" : "writable") + "\n" + Utf8(value);
    SysFreeString(name);
    SysFreeString(value);
    object->Release();
    CoUninitialize();
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
              nullptr);
    return 0;
}

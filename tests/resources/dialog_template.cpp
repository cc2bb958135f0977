#include "tests/resources/dialog_template.h"

namespace {

class Reader {
public:
    explicit Reader(const BYTE* data) : base_(data), at_(data) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    std::wstring String() {
        std::wstring text;
        for (WORD c = Word(); c; c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    // A string or, after 0xFFFF, an ordinal given as "#<number>".
    std::wstring NameOrOrdinal() {
        const BYTE* mark = at_;
        if (Word() == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        at_ = mark;
        return String();
    }
    void AlignDword() {
        while ((at_ - base_) % 4)
            ++at_;
    }
    void Skip(size_t bytes) { at_ += bytes; }

private:
    template <class T>
    T Take() {
        T value;
        memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    const BYTE* base_;
    const BYTE* at_;
};

}  // namespace

bool ReadDialogTemplate(UINT id, DialogTemplateData& out) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (!found)
        return false;
    Reader in(static_cast<const BYTE*>(LockResource(LoadResource(module, found))));
    if (in.Word() != 1 || in.Word() != 0xFFFF)
        return false;
    in.Dword();  // help id
    in.Dword();  // extended style
    out.style = in.Dword();
    int count = in.Word();
    in.Short();
    in.Short();
    out.width = in.Short();
    out.height = in.Short();
    in.NameOrOrdinal();  // menu
    in.NameOrOrdinal();  // class
    out.title = in.String();
    if (out.style & DS_SETFONT) {
        out.pointSize = in.Word();
        in.Word();  // weight
        in.Byte();  // italic
        in.Byte();  // character set
        out.font = in.String();
    }
    for (int i = 0; i < count; ++i) {
        in.AlignDword();
        TemplateControl control;
        in.Dword();  // help id
        in.Dword();  // extended style
        control.style = in.Dword();
        int x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
        control.rect = RECT{x, y, x + cx, y + cy};
        control.id = in.Dword();
        control.className = in.NameOrOrdinal();
        control.text = in.NameOrOrdinal();
        in.Skip(in.Word());  // creation data
        out.controls.push_back(control);
    }
    return true;
}

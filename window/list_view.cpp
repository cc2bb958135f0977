#include "window/list_view.h"

#include <commctrl.h>

#include <climits>
#include <cwchar>

#include "platform/win32/wide_text.h"

namespace {
// A first read takes any text of a few hundred characters at once.
constexpr size_t kFirstCellChars = 4096;
}  // namespace

void InsertListColumn(HWND list, int index, const char* heading, int format, int width) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

int InsertListRow(HWND list, int index, const char* text, int image, LPARAM data) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCell(HWND list, int row, int column, const char* text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListCellText(HWND list, int row, int column) {
    // Read in UTF-16: the control says how much it copied, not how long the text is, and an 8-bit
    // copy may stop a few bytes short of the buffer's end inside a character, so only a UTF-16
    // copy that leaves room shows it was whole. The buffer grows until one does.
    std::wstring text;
    for (size_t size = kFirstCellChars;; size *= 2) {
        text.assign(size, L'\0');
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(size);
        LRESULT copied = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&item));
        if (copied < 0 || static_cast<size_t>(copied) + 1 < size ||
            size > static_cast<size_t>(INT_MAX) / 2) {
            text.resize(wcslen(text.c_str()));
            return NarrowText(text);
        }
    }
}

int SelectedListRow(HWND list) {
    return static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

LPARAM ListRowData(HWND list, int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

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
    std::wstring text = WideText(heading ? heading : "");
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = format;
    column.cx = width;
    column.pszText = &text[0];
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

int InsertListRow(HWND list, int index, const char* text, int image, LPARAM data) {
    std::wstring wide = WideText(text ? text : "");
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = &wide[0];
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCell(HWND list, int row, int column, const char* text) {
    std::wstring wide = WideText(text ? text : "");
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &wide[0];
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListCellText(HWND list, int row, int column) {
    // The control says how much it copied, not how long the text is: a copy that fills the buffer
    // may have been cut, so the buffer grows until one does not, as far as the request's length
    // field reaches.
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
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

LPARAM ListRowData(HWND list, int row) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

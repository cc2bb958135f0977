#include "window/list_view.h"

#include <commctrl.h>

#include <cstring>

namespace {
// A first read takes any text of a few hundred characters at once; beyond the last the text is cut.
constexpr size_t kFirstCellBytes = 4096;
constexpr size_t kMaxCellBytes = 64 * 1024;
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
    // The control says how much it copied, not how long the text is: a copy that fills the buffer
    // may have been cut, so the buffer grows until one does not.
    std::string text;
    for (size_t size = kFirstCellBytes;; size *= 2) {
        text.assign(size, '\0');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(size);
        LRESULT copied = SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&item));
        if (copied < 0 || static_cast<size_t>(copied) + 1 < size || size >= kMaxCellBytes) {
            text.resize(strlen(text.c_str()));
            return text;
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

#include "window/dialog.h"

#include "platform/win32/wide_text.h"
#include "window/application.h"
#include "window/resource_strings.h"

void DataExchange::Text(int controlId, std::string& value) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (!control)
        return;
    if (!saving_) {
        SetWindowTextW(control, WideText(value).c_str());
        return;
    }
    // The length is an upper bound; the copy says how much it wrote.
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(control, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    value = NarrowText(text);
}

void DataExchange::ComboIndex(int controlId, int& index) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (!control)
        return;
    if (saving_) {
        index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));  // CB_ERR is -1
    } else {
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

INT_PTR Dialog::DoModal() {
    // The owner is disabled by the dialog manager for as long as the dialog runs.
    return DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), ModalOwnerWindow(),
                           DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool save) {
    if (!hwnd_)
        return false;
    DataExchange exchange(hwnd_, save);
    DoDataExchange(exchange);
    return true;
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool Dialog::OnCommand(WORD id, WORD code, HWND control) {
    (void)id;
    (void)code;
    (void)control;
    return false;
}

bool Dialog::OnNotify(NMHDR* header, LRESULT& result) {
    (void)header;
    (void)result;
    return false;
}

void Dialog::EndDialog(INT_PTR result) {
    if (hwnd_)
        ::EndDialog(hwnd_, result);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->hwnd_ = hwnd;
    } else {
        dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object and get the default handling.
    return dialog ? dialog->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND: {
            WORD id = LOWORD(wParam);
            if (id == IDOK) {
                OnOK();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            if (OnCommand(id, HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
                return TRUE;
            break;
        }
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
                break;
            SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
            hwnd_ = nullptr;
            return FALSE;
        default:
            break;
    }
    return FALSE;
}

HWND ModalOwnerWindow() {
    HWND main = MainWindowHandle();
    // A box raised from inside a dialog belongs to that dialog, so the dialog waits for it too.
    return main ? GetLastActivePopup(main) : nullptr;
}

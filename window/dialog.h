// Modal dialogs on a template, owned by the application's main window (which is disabled while one
// runs), with data exchange: each dialog moves its members to its controls and back in one
// function, in the order it lists them.
#pragma once

#include <windows.h>

#include <string>

// One pass of data exchange between a dialog's members and its controls.
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    // True when controls are read into members, false when members are written to controls.
    bool Saving() const { return saving_; }
    HWND Dialog() const { return dialog_; }

    // An edit (or any control with a window text) and a text member, in UTF-8.
    void Text(int controlId, std::string& value);
    // A combo box and the index of its selection; -1 stands for no selection.
    void ComboIndex(int controlId, int& index);

private:
    HWND dialog_;
    bool saving_;
};

class Dialog {
public:
    explicit Dialog(UINT templateId) : templateId_(templateId) {}
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; the result of EndDialog, or -1 when it could not be created.
    INT_PTR DoModal();

    HWND Handle() const { return hwnd_; }
    HWND Item(int controlId) const { return GetDlgItem(hwnd_, controlId); }

    // Members to controls (save false) or controls to members (save true).
    bool UpdateData(bool save);

protected:
    // Base: writes the members to the controls. Returning TRUE lets the dialog manager give the
    // focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange& exchange) { (void)exchange; }
    // IDOK, also sent by Enter when no push button is the default: reads the controls back, ends.
    virtual void OnOK();
    // IDCANCEL, also sent by Escape and the close box: ends without reading the controls.
    virtual void OnCancel();
    // Any other command; true when handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // A notification from a control; true when handled, with result as the dialog's answer.
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // The window is being destroyed.
    virtual void OnDestroy() {}

    void EndDialog(INT_PTR result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND hwnd_ = nullptr;
};

// The window that owns modal dialogs and message boxes: the current thread's main window, or
// null when there is none.
HWND ModalOwnerWindow();

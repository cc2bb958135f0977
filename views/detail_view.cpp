#include "views/detail_view.h"

#include <new>

#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "views/detail_paint.h"
#include "window/paint_guards.h"
#include "window/resource_strings.h"

namespace {
constexpr int kFocusInset = 2;  // pixels at 96 DPI
}

CDetailView::CDetailView() : FormPane(IDD_DETAIL_FORM) {}

void CDetailView::SetService(const SERVICE_ITEM* item) {
    if (item) {
        // The storage is made once and reused for every later record.
        if (!record_)
            record_.reset(new (std::nothrow) SERVICE_ITEM);
        if (record_) {
            *record_ = *item;
            facts_ = ProbeServiceFile(*record_);
        }
    } else {
        record_.reset();
    }
    Repaint();
    PaneAccessibility::NotifyValueChanged(Handle());
}

std::wstring CDetailView::AccessibleName() const {
    return WideText(LoadResString(IDS_DETAIL_TITLE));
}

std::wstring CDetailView::AccessibleValue() const {
    std::wstring value;
    if (!record_)
        return value;
    DetailLines lines;
    LayoutDetailLines(*record_, facts_, lines);
    for (int i = 0; i < lines.count; ++i) {
        if (i > 0)
            value += L"\r\n";
        value += WideText(lines.line[i].text);
    }
    return value;
}

void CDetailView::OnDpiChanged(int) {
    titleFont_.Reset();
    textFont_.Reset();
    fontsMade_ = false;
    Repaint();
}

void CDetailView::Repaint() {
    if (!Handle())
        return;
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

LRESULT CDetailView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), wParam, lParam);
            return 0;
        case WM_GETOBJECT: {
            LRESULT result = 0;
            if (accessibility_.OnGetObject(Handle(), wParam, lParam, result))
                return result;
            return FormPane::HandleMessage(message, wParam, lParam);
        }
        case WM_DESTROY:
            accessibility_.Disconnect();
            return FormPane::HandleMessage(message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            // The pane has no controls: a focus rectangle shows that the keyboard is here.
            const LRESULT result = FormPane::HandleMessage(message, wParam, lParam);
            Repaint();
            return result;
        }
        default:
            return FormPane::HandleMessage(message, wParam, lParam);
    }
}

LRESULT CDetailView::OnEraseBkgnd(HDC dc) {
    RECT client = {};
    GetClientRect(Handle(), &client);
    PaintDetailBackground(dc, client);
    return 1;
}

void CDetailView::OnPaint() {
    PaintDc dc(Handle());
    if (!dc.Get())
        return;
    if (!fontsMade_) {
        titleFont_.Reset(CreateDetailTitleFont(Dpi()));
        textFont_.Reset(CreateDetailTextFont(Dpi()));
        fontsMade_ = true;
    }
    RECT client = {};
    GetClientRect(Handle(), &client);
    PaintDetail(dc.Get(), client, DetailStyle{Dpi(), titleFont_.Get(), textFont_.Get()},
                record_.get(), facts_);
    if (GetFocus() == Handle()) {
        InflateRect(&client, -Scale(kFocusInset), -Scale(kFocusInset));
        DrawFocusRect(dc.Get(), &client);
    }
}

void CDetailView::OnSize(UINT type, WPARAM wParam, LPARAM lParam) {
    FormPane::HandleMessage(WM_SIZE, wParam, lParam);
    // The heading hangs from the bottom edge, so any new size repaints the whole pane.
    if (type == SIZE_RESTORED)
        Repaint();
}

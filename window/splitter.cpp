#include "window/splitter.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "platform/win32/handles.h"
#include "window/framework_ids.h"
#include "window/paint_guards.h"

namespace {
constexpr char kSplitterClass[] = "OrvaneSplitter";
constexpr UINT kPaneFirst =
    AFX_IDW_PANE_FIRST;  // child id of the first pane; later ones by row and column

// Two lines from one corner to the next through a third, in one colour.
void DrawCorner(HDC hdc, COLORREF colour, POINT from, POINT corner, POINT to) {
    UniquePen pen(CreatePen(PS_SOLID, 1, colour));
    SelectedObject selected(hdc, pen.Get());
    MoveToEx(hdc, from.x, from.y, nullptr);
    LineTo(hdc, corner.x, corner.y);
    LineTo(hdc, to.x, to.y);
}

// A sunken or raised outline `width` pixels wide, drawn inward from rect; rect ends inside it.
void FrameRect3d(HDC hdc, RECT& rect, int width, COLORREF topLeft, COLORREF bottomRight) {
    for (int i = 0; i < width; ++i) {
        DrawCorner(hdc, topLeft, POINT{rect.left, rect.bottom - 1}, POINT{rect.left, rect.top},
                   POINT{rect.right - 1, rect.top});
        DrawCorner(hdc, bottomRight, POINT{rect.right - 1, rect.top},
                   POINT{rect.right - 1, rect.bottom - 1}, POINT{rect.left - 1, rect.bottom - 1});
        InflateRect(&rect, -1, -1);
    }
}
}  // namespace

StaticSplitter::StaticSplitter() = default;
StaticSplitter::~StaticSplitter() = default;

bool StaticSplitter::CreateStatic(HWND parent, int rows, int columns, DWORD style, UINT id) {
    if (rows < 1 || columns < 1 || Handle())
        return false;
    if (!RegisterWindowClass(kSplitterClass, 0, LoadCursor(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)))
        return false;
    rows_.assign(static_cast<size_t>(rows), SplitterTrack{});
    columns_.assign(static_cast<size_t>(columns), SplitterTrack{});
    panes_.clear();
    panes_.resize(static_cast<size_t>(rows * columns));
    RECT client = {};
    GetClientRect(parent, &client);
    return Create(0, kSplitterClass, "", style | WS_CLIPCHILDREN, 0, 0, client.right, client.bottom,
                  parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool StaticSplitter::CreateView(int row, int column, std::unique_ptr<View> view, SIZE size,
                                CreateContext& context) {
    if (!view || row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return false;
    auto& slot = panes_[static_cast<size_t>(row * ColumnCount() + column)];
    if (slot)
        return false;
    rows_[static_cast<size_t>(row)].ideal = size.cy;
    columns_[static_cast<size_t>(column)].ideal = size.cx;
    RECT rect = {0, 0, size.cx, size.cy};
    UINT id = kPaneFirst + static_cast<UINT>(row * 16 + column);
    if (!view->CreatePane(Handle(), id, rect, context))
        return false;
    context.views.push_back(view.get());
    slot = std::move(view);
    return true;
}

View* StaticSplitter::GetPane(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return nullptr;
    View* pane = panes_[static_cast<size_t>(row * ColumnCount() + column)].get();
    return pane && pane->Handle() ? pane : nullptr;
}

void StaticSplitter::SetRowInfo(int row, int ideal, int minimum) {
    if (row < 0 || row >= RowCount())
        return;
    rows_[static_cast<size_t>(row)].ideal = ideal;
    rows_[static_cast<size_t>(row)].minimum = minimum;
}

RECT StaticSplitter::PaneRect(int row, int column) const {
    RECT rect = {};
    rect.left = TrackStart(columns_, column, Border(), Gap());
    rect.top = TrackStart(rows_, row, Border(), Gap());
    rect.right = rect.left + columns_[static_cast<size_t>(column)].current;
    rect.bottom = rect.top + rows_[static_cast<size_t>(row)].current;
    return rect;
}

void StaticSplitter::RecalcLayout() {
    if (!Handle())
        return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    LayoutTracks(rows_, client.bottom - 2 * Border(), Gap());
    LayoutTracks(columns_, client.right - 2 * Border(), Gap());
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            View* pane = GetPane(row, column);
            if (!pane)
                continue;
            RECT rect = PaneRect(row, column);
            SetWindowPos(pane->Handle(), nullptr, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool StaticSplitter::HitBar(POINT point, bool& vertical, int& index) const {
    // A bar between columns runs the full height, one between rows the full width.
    int column = BarAt(columns_, point.x, Border(), Gap());
    int row = column < 0 ? BarAt(rows_, point.y, Border(), Gap()) : -1;
    if (column < 0 && row < 0)
        return false;
    vertical = column >= 0;
    index = vertical ? column : row;
    return true;
}

void StaticSplitter::OnDrawSplitter(HDC hdc, SplitType type, const RECT& rect) {
    if (!hdc)
        return;
    if (type == SplitType::Border) {
        RECT inner = rect;
        FrameRect3d(hdc, inner, OuterLine(), GetSysColor(COLOR_BTNSHADOW),
                    GetSysColor(COLOR_BTNHIGHLIGHT));
        FrameRect3d(hdc, inner, Border() - OuterLine(), GetSysColor(COLOR_3DDKSHADOW),
                    GetSysColor(COLOR_3DLIGHT));
        return;
    }
    FillRect(hdc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void StaticSplitter::OnDpiChanged(int oldDpi) {
    for (auto* tracks : {&rows_, &columns_}) {
        for (SplitterTrack& track : *tracks) {
            track.ideal = RescaleDpi(track.ideal, oldDpi, Dpi());
            track.minimum = RescaleDpi(track.minimum, oldDpi, Dpi());
        }
    }
}

void StaticSplitter::OnPaint() {
    PaintDc paint(Handle());
    HDC hdc = paint.Get();
    RECT client = {};
    GetClientRect(Handle(), &client);
    // Only the bars and borders are the splitter's: a pane that paints late (a transparent one)
    // must not be painted over.
    for (const auto& pane : panes_) {
        if (!pane || !pane->Handle())
            continue;
        RECT rect = {};
        GetWindowRect(pane->Handle(), &rect);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
        ExcludeClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    }
    OnDrawSplitter(hdc, SplitType::Bar, client);
    for (int row = 0; row < RowCount(); ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            RECT border = PaneRect(row, column);
            InflateRect(&border, Border(), Border());
            OnDrawSplitter(hdc, SplitType::Border, border);
        }
    }
}

void StaticSplitter::OnButtonDown(POINT point) {
    bool vertical = false;
    int index = 0;
    if (!HitBar(point, vertical, index))
        return;
    RECT pane = vertical ? PaneRect(0, index) : PaneRect(index, 0);
    drag_.active = true;
    drag_.vertical = vertical;
    drag_.index = index;
    drag_.grabOffset = vertical ? point.x - pane.right : point.y - pane.bottom;
    SetCapture(Handle());
}

void StaticSplitter::OnMouseMove(POINT point) {
    if (!drag_.active)
        return;
    RECT pane = drag_.vertical ? PaneRect(0, drag_.index) : PaneRect(drag_.index, 0);
    int size = drag_.vertical ? point.x - drag_.grabOffset - pane.left
                              : point.y - drag_.grabOffset - pane.top;
    SplitterTrack& track = drag_.vertical ? columns_[static_cast<size_t>(drag_.index)]
                                          : rows_[static_cast<size_t>(drag_.index)];
    size = std::max(size, 0);
    if (size == track.current)
        return;
    track.ideal = size;
    RecalcLayout();
    UpdateWindow(Handle());
}

void StaticSplitter::OnButtonUp() {
    if (!drag_.active)
        return;
    drag_.active = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
}

LRESULT StaticSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything that is the splitter's
        case WM_SIZE:
            RecalcLayout();
            return 0;
        case WM_SETCURSOR: {
            POINT cursor = {};
            GetCursorPos(&cursor);
            ScreenToClient(Handle(), &cursor);
            bool vertical = false;
            int index = 0;
            if (reinterpret_cast<HWND>(wParam) == Handle() && HitBar(cursor, vertical, index)) {
                SetCursor(LoadCursor(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN:
            OnButtonDown(point);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(point);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            drag_.active = false;
            return 0;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

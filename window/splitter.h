// A static splitter: a window that owns its panes by row and column, keeps each row's height and
// each column's width (ideal and minimum), lays the panes out inside a border, draws the bars
// between them and lets the user drag a bar with the mouse.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "window/splitter_tracks.h"
#include "window/view.h"
#include "window/window.h"

class StaticSplitter : public Window {
public:
    enum class SplitType { Box, Bar, Intersection, Border };

    StaticSplitter();
    ~StaticSplitter() override;

    // Creates the splitter window (rows x columns panes, none yet) filling the parent's client
    // area.
    bool CreateStatic(HWND parent, int rows, int columns, DWORD style, UINT id);

    // Creates the pane at row, column from a view object (owned from now on) with an initial
    // size, which becomes the row's ideal height and the column's ideal width. The view joins
    // context.views after its window exists.
    bool CreateView(int row, int column, std::unique_ptr<View> view, SIZE size,
                    CreateContext& context);

    // The pane at row, column, or null.
    View* GetPane(int row, int column) const;
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }

    void SetRowInfo(int row, int ideal, int minimum);

    // Lays every pane out again from the ideal sizes.
    void RecalcLayout();

    // Pixels at 96 DPI: the border around each pane and the gap between two panes (border, bar,
    // border); Border() and Gap() at the splitter's own DPI.
    static constexpr int kBorder = 2;
    static constexpr int kGap = 7;
    int Border() const { return Scale(kBorder); }
    int Gap() const { return Scale(kGap); }
    // Of a border Border() wide, the width of its outer line (its inner line has the rest).
    int OuterLine() const { return Scale(1); }

protected:
    // Draws one part of the splitter; hdc is null when there is nothing to draw on.
    virtual void OnDrawSplitter(HDC hdc, SplitType type, const RECT& rect);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The sizes kept for rows and columns (a width the user dragged) go to the new scale.
    void OnDpiChanged(int oldDpi) override;

private:
    struct Drag {
        bool active = false;
        bool vertical = false;  // a bar between columns
        int index = 0;          // the row or column before the bar
        int grabOffset = 0;     // cursor position minus the bar's start
    };

    RECT PaneRect(int row, int column) const;
    // The bar under a client point: true with its orientation and index.
    bool HitBar(POINT point, bool& vertical, int& index) const;
    void OnPaint();
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp();
    void OnSize();

    std::vector<SplitterTrack> rows_;
    std::vector<SplitterTrack> columns_;
    std::vector<std::unique_ptr<View>> panes_;  // row-major
    Drag drag_;
};

// Small helpers over a report-style list-view control; texts are UTF-8.
#pragma once

#include <windows.h>

#include <string>

// Inserts a column at index with its heading, format (LVCFMT_*) and width in pixels.
void InsertListColumn(HWND list, int index, const char* heading, int format, int width);

// Inserts a row at index with its first cell's text, an image and the row's own value; returns its
// index or -1.
int InsertListRow(HWND list, int index, const char* text, int image = -1, LPARAM data = 0);
// The value a row was inserted with (0 when there is no such row).
LPARAM ListRowData(HWND list, int row);

void SetListCell(HWND list, int row, int column, const char* text);
// A cell's whole text, whatever its length.
std::string ListCellText(HWND list, int row, int column);

// Index of the first selected row, or -1.
int SelectedListRow(HWND list);

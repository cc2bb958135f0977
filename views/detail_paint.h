// What the detail pane paints: the light blue background, the gradient strip with its upright
// heading, and for a service its icon and text lines. Free of the pane's window so that the
// drawing can be done into any device context and the line layout checked on its own.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/service_item.h"
#include "catalogue/text.h"
#include "window/dpi_scale.h"

constexpr COLORREF kDetailBackground = RGB(230, 239, 255);
constexpr COLORREF kDetailGradientEnd = RGB(255, 255, 255);
// Pixels at 96 DPI; the pane paints them scaled to its window's DPI.
constexpr int kDetailStripWidth = 30;
constexpr int kDetailTextX = 100;
constexpr int kDetailTitleHeight = 16;

// A label and a text field: room enough for the widest line without cutting.
constexpr std::size_t kDetailLineBytes = 2 * kTextBytes;
constexpr int kDetailMaxLines = 5;

struct DetailLine {
    int x;
    int y;
    char text[kDetailLineBytes];
};

struct DetailLines {
    DetailLine line[kDetailMaxLines];
    int count;
};

// What the pane shows of a service's file, read once when the record arrives and painted from
// as often as the pane paints.
struct ServiceFileFacts {
    bool found = false;  // the probed file exists (and is no folder)
    char version[kTextBytes] = {};
    char description[kTextBytes] = {};
    char company[kTextBytes] = {};
};

// The file the pane tells of: the service DLL when there is one, otherwise the file the image
// path starts. False when it does not exist.
bool FindServiceFile(const SERVICE_ITEM& item, std::string& file);

// Probes the file FindServiceFile finds and reads its version resource once.
ServiceFileFacts ProbeServiceFile(const SERVICE_ITEM& item);

// The text lines shown for item at 96 DPI, whose file facts were read by ProbeServiceFile.
void LayoutDetailLines(const SERVICE_ITEM& item, const ServiceFileFacts& facts, DetailLines& out);

// Where a line of the layout is drawn at dpi.
POINT DetailLineOrigin(const DetailLine& line, int dpi);

// What the pane paints with at its window's DPI.
struct DetailStyle {
    int dpi = kStandardDpi;
    HFONT titleFont = nullptr;  // CreateDetailTitleFont(dpi)
    HFONT textFont = nullptr;   // CreateDetailTextFont(dpi); null: the device context's own font
};

// The heading's font: Arial bold, 16 pixels at 96 DPI, turned to read upward.
HFONT CreateDetailTitleFont(int dpi);
// The text lines' font: none at the system DPI, where the device context's own font (the system
// font) is made for it; at any other DPI a copy of the system font scaled to it.
HFONT CreateDetailTextFont(int dpi);

// The whole client rectangle in the background colour.
void PaintDetailBackground(HDC dc, const RECT& client);

// Strip, heading and, when item is given, icon 140 and the text lines from its facts.
void PaintDetail(HDC dc, const RECT& client, const DetailStyle& style, const SERVICE_ITEM* item,
                 const ServiceFileFacts& facts);

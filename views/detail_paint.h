// What the detail pane paints: the light blue background, the gradient strip with its upright
// heading, and for a service its icon and text lines. Free of the pane's window so that the
// drawing can be done into any device context and the line layout checked on its own.
#pragma once

#include <windows.h>

#include <string>

#include "catalogue/service_item.h"
#include "catalogue/text.h"

constexpr COLORREF kDetailBackground = RGB(230, 239, 255);
constexpr COLORREF kDetailGradientEnd = RGB(255, 255, 255);
constexpr int kDetailStripWidth = 30;
constexpr int kDetailTextX = 100;

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

// The text lines shown for item, whose file facts were read by ProbeServiceFile.
void LayoutDetailLines(const SERVICE_ITEM& item, const ServiceFileFacts& facts, DetailLines& out);

// The heading's font: Arial bold, 16 pixels, turned to read upward.
HFONT CreateDetailTitleFont();

// The whole client rectangle in the background colour.
void PaintDetailBackground(HDC dc, const RECT& client);

// Strip, heading and, when item is given, icon 140 and the text lines from its facts.
void PaintDetail(HDC dc, const RECT& client, HFONT titleFont, const SERVICE_ITEM* item,
                 const ServiceFileFacts& facts);

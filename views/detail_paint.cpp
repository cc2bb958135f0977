#include "views/detail_paint.h"

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"
#include "views/file_info.h"
#include "views/gradient.h"
#include "window/dpi.h"
#include "window/paint_guards.h"
#include "window/resource_strings.h"

namespace {

constexpr int kIconX = 60;
constexpr int kIconY = 10;
constexpr int kIconSize = 32;
constexpr int kHeadingX = 7;
constexpr int kHeadingRise = 4;  // the heading starts this far above the bottom edge

void AddLine(DetailLines& out, int y, const char* format, const char* value) {
    if (out.count >= kDetailMaxLines)
        return;
    DetailLine& line = out.line[out.count++];
    line.x = kDetailTextX;
    line.y = y;
    if (value) {
        FormatText(line.text, sizeof line.text, sizeof line.text, format, value);
    } else {
        CopyText(line.text, sizeof line.text, format, sizeof line.text);
    }
}

void AddFormatted(DetailLines& out, int y, UINT formatId, const char* value) {
    AddLine(out, y, LoadResString(formatId).c_str(), value);
}

void AddFileLines(DetailLines& out, const SERVICE_ITEM& item, const ServiceFileFacts& facts) {
    int base = 10;
    if (item.ServiceDll[0]) {
        AddLine(out, 30, "Dll: %s", item.ServiceDll);
        base = 30;
    }
    AddFormatted(out, base + 20, IDS_DETAIL_VERSION, facts.version);
    AddFormatted(out, base + 40, IDS_DETAIL_DESCRIPTION, facts.description);
    AddFormatted(out, base + 60, IDS_DETAIL_COMPANY, facts.company);
}

// Texts are UTF-8: they are widened here and drawn with TextOutW.
void DrawTextAt(HDC dc, int x, int y, const char* text) {
    std::wstring wide;
    if (ToWide(text, wide) && !wide.empty())
        TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void PaintHeading(HDC dc, const RECT& client, const DetailStyle& style) {
    const std::string title = LoadResString(IDS_DETAIL_TITLE);
    SelectedObject font(dc, style.titleFont);
    SetBkMode(dc, TRANSPARENT);
    DrawTextAt(dc, ScaleToDpi(kHeadingX, style.dpi),
               client.bottom - ScaleToDpi(kHeadingRise, style.dpi), title.c_str());
    SetBkMode(dc, OPAQUE);
}

void PaintRecord(HDC dc, const DetailStyle& style, const SERVICE_ITEM& item,
                 const ServiceFileFacts& facts) {
    // Drawn from the resource's image of that size, not stretched from another.
    const int iconSize = ScaleToDpi(kIconSize, style.dpi);
    if (UniqueIcon icon = LoadIconAtSize(IDI_DETAIL, iconSize)) {
        DrawIconEx(dc, ScaleToDpi(kIconX, style.dpi), ScaleToDpi(kIconY, style.dpi), icon.Get(),
                   iconSize, iconSize, 0, nullptr, DI_NORMAL);
    }
    SelectedObject font(dc, style.textFont);
    SetBkMode(dc, TRANSPARENT);
    DetailLines lines;
    LayoutDetailLines(item, facts, lines);
    for (int i = 0; i < lines.count; ++i) {
        const POINT origin = DetailLineOrigin(lines.line[i], style.dpi);
        DrawTextAt(dc, origin.x, origin.y, lines.line[i].text);
    }
}

}  // namespace

bool FindServiceFile(const SERVICE_ITEM& item, std::string& file) {
    // The image path is a command line: its file is what process creation would start, the quoted
    // part exactly when the stored path was quoted.
    file = item.ServiceDll;
    return item.ServiceDll[0] ? FileExists(item.ServiceDll)
                              : FindImageFile(ImageCommandLine(item).c_str(), file);
}

ServiceFileFacts ProbeServiceFile(const SERVICE_ITEM& item) {
    ServiceFileFacts facts;
    std::string probe;
    facts.found = FindServiceFile(item, probe);
    if (facts.found) {
        const VersionBlock block(probe.c_str());
        block.FileVersion(facts.version, sizeof facts.version);
        block.StringInfo(facts.description, facts.company);
    }
    return facts;
}

void LayoutDetailLines(const SERVICE_ITEM& item, const ServiceFileFacts& facts, DetailLines& out) {
    out.count = 0;
    AddFormatted(out, 10, IDS_DETAIL_FILE, item.ImagePath);
    if (facts.found) {
        AddFileLines(out, item, facts);
    } else {
        AddLine(out, 30, LoadResString(IDS_DETAIL_NO_FILE).c_str(), nullptr);
    }
}

POINT DetailLineOrigin(const DetailLine& line, int dpi) {
    return POINT{ScaleToDpi(line.x, dpi), ScaleToDpi(line.y, dpi)};
}

HFONT CreateDetailTitleFont(int dpi) {
    return CreateFontW(ScaleToDpi(kDetailTitleHeight, dpi), 0, 900, 900, FW_BOLD, 0, 0, 0,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, L"Arial");
}

HFONT CreateDetailTextFont(int dpi) {
    const int systemDpi = SystemDpi();
    if (dpi == systemDpi)
        return nullptr;
    return RescaledFont(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), systemDpi, dpi).Release();
}

void PaintDetailBackground(HDC dc, const RECT& client) {
    UniqueBrush brush(CreateSolidBrush(kDetailBackground));
    if (brush)
        FillRect(dc, &client, brush.Get());
}

void PaintDetail(HDC dc, const RECT& client, const DetailStyle& style, const SERVICE_ITEM* item,
                 const ServiceFileFacts& facts) {
    FillGradientRect(dc, client.left, client.top, ScaleToDpi(kDetailStripWidth, style.dpi),
                     client.bottom, kDetailBackground, kDetailGradientEnd, true);
    PaintHeading(dc, client, style);
    if (item)
        PaintRecord(dc, style, *item, facts);
}

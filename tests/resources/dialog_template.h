// Reads a DIALOGEX template from the program's resources: the dialog's style and each control's
// id, class, text, style and rectangle, as the resource compiler wrote them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    DWORD id;
    std::wstring className;  // "#128" style ordinals are given as "#<number>"
    std::wstring text;
    DWORD style;
    RECT rect;  // x, y, x + cx, y + cy in dialog units
};

struct DialogTemplateData {
    DWORD style = 0;
    int width = 0, height = 0;
    std::wstring title;
    std::wstring font;
    int pointSize = 0;
    std::vector<TemplateControl> controls;
};

// False when the template is missing or not a DIALOGEX.
bool ReadDialogTemplate(UINT id, DialogTemplateData& out);

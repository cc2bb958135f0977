// Texts of the string table, as UTF-8 (loaded with LoadStringW, whatever the process code page).
#pragma once

#include <windows.h>

#include <string>

// The string resource id of the module that holds the resources; empty text when it is missing.
std::string LoadResString(UINT id);

// The module that holds the program's resources (the executable itself).
HINSTANCE ResourceInstance();

// The two halves of a command string "prompt\ntooltip": the status-bar prompt and the tooltip.
// A string without a line break is all prompt and has no tooltip.
std::string CommandPrompt(UINT id);
std::string CommandTooltip(UINT id);

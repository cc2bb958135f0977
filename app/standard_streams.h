// Messages of the command line for the caller. The program is a windowed one without a console of
// its own: a text goes to the inherited stream (a pipe or a file of the caller's), or else to the
// console of the process that started it, if there is one.
#pragma once

#include <string>

void WriteToStandardOutput(const std::string& text);
void WriteToStandardError(const std::string& text);

// Which file a service's command line starts, read the way process creation reads a command line,
// so that a path followed by arguments, or one with spaces in its folder names, finds its file.
#pragma once

#include <string>
#include <vector>

// The file names the command line may start, in the order to try them: for a quoted path its quoted
// part; otherwise every prefix that ends at a space or at the end, shortest first. A name without
// an extension is tried with ".exe" added. The whole text comes last, as stored, when it is not
// among them already (a driver file without an extension).
std::vector<std::string> ExecutableCandidates(const std::string& commandLine);

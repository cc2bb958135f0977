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

// Whether process creation could start a file planted at a shorter prefix of the command line than
// the file it is meant to start (the unquoted service path weakness): an unquoted command line
// with a space before the end of that file's name ("C:\Program Files\A\svc.exe -x" tries
// "C:\Program.exe" first). The name ends after the first ".exe" (any case) that a space or the
// end follows; a command line without one ends it where runFile, the candidate found to exist
// (empty: none), ends. Where neither tells, no file is known and nothing is reported.
bool UnquotedPathRisk(const std::string& commandLine, const std::string& runFile);

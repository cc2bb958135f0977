// The command-line comparison: "Orvane.exe /compare BASELINE.csv [FILE.csv ...] [/out REPORT.csv]
// [/state]" compares each saved file (one machine each), or without files the live system, with
// the baseline and writes one CSV row per difference, without showing a window: a fleet's drift
// from its golden image in one command an administrator's script can judge by its exit code.
#pragma once

#include "app/program_arguments.h"

// Returns the process's exit code: 0 when nothing differs, 1 when something does, otherwise the
// system's error code, with its message on the standard error stream (a file that is refused is
// named with its first bad line; every refused file is named, and then no report is written).
// The report goes into /out's file (UTF-8 with a byte-order mark, replaced only once complete),
// or else on the standard output (UTF-8, no byte-order mark: a stream is no file for a
// spreadsheet, and a pipe's reader would take the mark for text).
int RunCompareCommand(const ProgramArguments& arguments);

// Probing of service files for the detail pane: does a file exist, and what do its version
// resource's file version, description and company name say.
#pragma once

#include <cstddef>
#include <string>

// True when path names an existing file that is not a directory. A path with a wildcard (* or ?,
// or the system's other search characters < > ") names no file.
bool FileExists(const char* path);

// The file a service's image path starts, found as process creation finds it (see
// ExecutableCandidates): true with its name, false when no candidate exists.
bool FindImageFile(const char* imagePath, std::string& file);

// Writes the fixed file version as "a.b.c.d" into buffer (size bytes, always NUL-terminated).
// Returns 1 on success; 0 leaves the buffer untouched (no version resource, or no root block with
// a fixed file information of the right signature and length). The resource is read at whatever
// size it has.
int GetFileVersionString(const char* path, char* buffer, std::size_t size);

// Copies FileDescription and CompanyName of the first translation into the buffers that are given
// (each kTextBytes large; may be null), cut to kTextMaxChars characters. A missing string leaves
// its buffer untouched. Returns 1 when the resource and its translation table were read.
int GetFileStringInfo(const char* path, char* description, char* company);

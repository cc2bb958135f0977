// Probing of service files for the detail pane: does a file exist, and what do its version
// resource's file version, description and company name say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// True when path names an existing file that is not a directory. A path with a wildcard (* or ?,
// or the system's other search characters < > ") names no file.
bool FileExists(const char* path);

// The file a service's image path starts, found as process creation finds it (see
// ExecutableCandidates): true with its name, false when no candidate exists.
bool FindImageFile(const char* imagePath, std::string& file);

// The most GetFileVersionInfoSize can ask for a version resource that the format allows. The
// resource's own length (wLength of VS_VERSIONINFO) is 16 bits; the system asks for more than the
// resource: twice it and 4 bytes for a 32-bit resource (room for the ANSI copy of its texts and
// the "FE2X" mark), four times it for a 16-bit one. A larger size is a resource directory that
// lies about its entry; it is never allocated or read.
constexpr uint32_t kMaxVersionInfoBytes = 4 * 65536;

// The version resource of one file, read once (GetFileVersionInfoSize, GetFileVersionInfo) and
// freed when the object goes. Empty when the file has none, or a hostile one: a size that the
// format does not allow or the file does not hold, or a resource that claims more than its entry.
class VersionBlock {
public:
    explicit VersionBlock(const char* path);
    ~VersionBlock();
    VersionBlock(const VersionBlock&) = delete;
    VersionBlock& operator=(const VersionBlock&) = delete;

    bool IsRead() const { return block_ != nullptr; }

    // As GetFileVersionString, from this block.
    int FileVersion(char* buffer, std::size_t size) const;
    // As GetFileStringInfo, from this block.
    int StringInfo(char* description, char* company) const;

private:
    std::unique_ptr<unsigned char[]> block_;
};

// Writes the fixed file version as "a.b.c.d" into buffer (size bytes, always NUL-terminated).
// Returns 1 on success; 0 leaves the buffer untouched (no version resource, or no root block with
// a fixed file information of the right signature and length). Any size the format allows is read.
int GetFileVersionString(const char* path, char* buffer, std::size_t size);

// Copies FileDescription and CompanyName of the first translation into the buffers that are given
// (each kTextBytes large; may be null), cut to kTextMaxChars characters. A missing string leaves
// its buffer untouched. Returns 1 when the resource and its translation table were read.
int GetFileStringInfo(const char* path, char* description, char* company);

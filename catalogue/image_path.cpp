// Image paths as the registry stores them ("\??\", "\SystemRoot\", "system32\", quoted) turned into
// plain file paths, so the detail pane can open the file.
#include <cstring>

#include "catalogue/service_list.h"

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix) {
        if (FoldAscii(*text) != FoldAscii(*prefix))
            return false;
    }
    return true;
}

void DropBytes(char* at, std::size_t count) {
    std::memmove(at, at + count, std::strlen(at + count) + 1);
}

// A quoted file name keeps what follows it (its arguments); only the quote pair goes.
void DropQuotes(char* path) {
    char* closing = std::strchr(path + 1, '"');
    if (closing)
        DropBytes(closing, 1);
    DropBytes(path, 1);
}

}  // namespace

void CServiceList::NormalizeImagePath(const char* windowsDirectory, char* path) {
    if (path == nullptr || path[0] == '\0')
        return;
    if (windowsDirectory == nullptr)
        windowsDirectory = "";
    char rewritten[kTextBytes];
    if (std::strncmp(path, "\\??\\", 4) == 0) {
        DropBytes(path, 4);
    } else if (StartsWithNoCase(path, "\\systemroot")) {
        FormatText(rewritten, sizeof rewritten, kTextMaxChars, "%s%s", windowsDirectory, path + 11);
        std::memcpy(path, rewritten, std::strlen(rewritten) + 1);
    } else if (StartsWithNoCase(path, "system32\\")) {
        FormatText(rewritten, sizeof rewritten, kTextMaxChars, "%s\\%s", windowsDirectory, path);
        std::memcpy(path, rewritten, std::strlen(rewritten) + 1);
    } else if (path[0] == '"') {
        DropQuotes(path);
    }
}

// Image paths as the registry stores them ("\??\", "\SystemRoot\", "system32\", quoted) turned into
// plain file paths, so the detail pane can open the file.
#include <string>

#include "catalogue/service_list.h"
#include "platform/ascii_case.h"

std::string CServiceList::NormalizedImagePath(const char* windowsDirectory, const std::string& path,
                                              uint32_t* quotedBytes) {
    if (quotedBytes)
        *quotedBytes = kNotQuoted;
    if (windowsDirectory == nullptr)
        windowsDirectory = "";
    if (path.compare(0, 4, "\\??\\") == 0)
        return path.substr(4);
    if (StartsWithNoCase(path, "\\systemroot"))
        return windowsDirectory + path.substr(11);
    if (StartsWithNoCase(path, "system32\\"))
        return windowsDirectory + ("\\" + path);
    if (!path.empty() && path[0] == '"') {
        // A quoted file name keeps what follows it (its arguments); only the quote pair goes. The
        // quotes enclosed the file: up to the closing one, or to the end when there is none.
        std::string unquoted = path.substr(1);
        const std::string::size_type closing = unquoted.find('"');
        if (closing != std::string::npos)
            unquoted.erase(closing, 1);
        if (quotedBytes)
            *quotedBytes =
                static_cast<uint32_t>(closing != std::string::npos ? closing : unquoted.size());
        return unquoted;
    }
    return path;
}

void CServiceList::NormalizeImagePath(const char* windowsDirectory, char* path) {
    if (path == nullptr || path[0] == '\0')
        return;
    CopyText(path, kTextBytes, NormalizedImagePath(windowsDirectory, path).c_str());
}

std::string ImageCommandLine(const SERVICE_ITEM& item) {
    const std::string path = item.ImagePath;
    if (item.QuotedFileBytes == kNotQuoted || item.QuotedFileBytes > path.size())
        return path;
    return '"' + path.substr(0, item.QuotedFileBytes) + '"' + path.substr(item.QuotedFileBytes);
}

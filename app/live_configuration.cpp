#include "app/live_configuration.h"

#include "platform/ascii_case.h"
#include "platform/win32/file_io.h"
#include "platform/win32/wide_text.h"
#include "views/command_line.h"
#include "views/detail_paint.h"
#include "views/file_info.h"

void LiveConfiguration::BeginPass() {
    manager_.BeginPass();
    digests_.clear();
}

void LiveConfiguration::ReadConfiguration(const SERVICE_ITEM& item, ServiceConfiguration& config) {
    std::string commandLine;
    manager_.Read(item, config, commandLine);
    if (item.ServiceKind != kKindWin32) {
        config.unquotedPath = "0";
    } else if (!commandLine.empty()) {
        std::string runFile;
        FindImageFile(commandLine.c_str(), runFile);
        config.unquotedPath = UnquotedPathRisk(commandLine, runFile) ? "1" : "0";
    }
    std::string file;
    if (!FindServiceFile(item, file))
        return;
    const std::string key = FoldAscii(file);
    const auto known = digests_.find(key);
    if (known != digests_.end()) {
        config.sha256 = known->second;
        return;
    }
    FileSha256(WideText(file), config.sha256);  // empty when it cannot be read
    digests_[key] = config.sha256;
}

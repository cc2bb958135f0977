// Checks of catalogue records against the registry as reg.exe prints it.
#include "record_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "catalogue/service_list.h"
#include "tests/support/wait.h"

namespace {

// The text a registry value gives: REG_EXPAND_SZ expanded as SHGetValue does; empty when it is
// missing or of another type.
std::string RegistryText(const std::map<std::string, RegText>& values, const char* name) {
    const auto found = values.find(name);
    if (found == values.end() ||
        (found->second.type != "REG_SZ" && found->second.type != "REG_EXPAND_SZ")) {
        return "";
    }
    std::string text = found->second.data;
    if (found->second.type == "REG_EXPAND_SZ") {
        char expanded[4096] = "";
        ExpandEnvironmentStringsA(text.c_str(), expanded, sizeof expanded);
        text = expanded;
    }
    return text;
}

// The text a record field should hold: empty as well when it is too long for the field.
std::string ExpectedText(const std::map<std::string, RegText>& values, const char* name) {
    const std::string text = RegistryText(values, name);
    return TextFits(text.c_str()) ? text : "";
}

// A driver without an image path has the kernel's: the drivers folder and its name.
std::string ExpectedImagePath(const SERVICE_ITEM& item,
                              const std::map<std::string, RegText>& values) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const auto stored = values.find("ImagePath");
    const bool text = stored != values.end() &&
                      (stored->second.type == "REG_SZ" || stored->second.type == "REG_EXPAND_SZ");
    std::string imagePath = RegistryText(values, "ImagePath");
    if (!text && item.ServiceKind == kKindDriver)
        imagePath = "\\SystemRoot\\System32\\drivers\\" + item.lpServiceName + ".sys";
    char path[kTextBytes] = {};
    CopyText(path, sizeof path, imagePath.c_str());  // cut, never dropped
    CServiceList::NormalizeImagePath(windows, path);
    return path;
}

}  // namespace

void ExpectRecordMatchesRegistry(const SERVICE_ITEM& item, const RegKeys& keys) {
    const std::string key = std::string(kServicesKey) + "\\" + item.lpServiceName;
    const auto values = keys.find(key);
    if (values == keys.end()) {
        // No key (Wine's device hosts): listed all the same, with what the manager said alone.
        EXPECT_STREQ(item.ImagePath, "");
        EXPECT_EQ(item.Description, item.lpDisplayName);
        EXPECT_EQ(item.Start, kStartUnknown);
        EXPECT_STREQ(item.Group, "");
        EXPECT_STREQ(item.ServiceDll, "");
        return;
    }
    const auto& v = values->second;
    EXPECT_EQ(item.ImagePath, ExpectedImagePath(item, v));
    const auto displayName = v.find("DisplayName");
    EXPECT_EQ(item.lpDisplayName,
              displayName != v.end() ? displayName->second.data : item.lpServiceName);
    const std::string description = ExpectedText(v, "Description");
    if (description.empty()) {
        EXPECT_EQ(item.Description, item.lpDisplayName);
    } else if (description[0] != '@') {  // indirect texts are covered by the many-services suite
        EXPECT_EQ(item.Description, description);
    }
    EXPECT_EQ(item.Group, ExpectedText(v, "Group"));
    const auto start = v.find("Start");
    EXPECT_EQ(item.Start, start != v.end() && start->second.type == "REG_DWORD"
                              ? std::strtoul(start->second.data.c_str(), nullptr, 16)
                              : static_cast<unsigned long>(kStartUnknown));
    const auto parameters = keys.find(key + "\\Parameters");
    EXPECT_EQ(item.ServiceDll,
              parameters != keys.end() ? ExpectedText(parameters->second, "ServiceDll") : "");
}

void WaitUntilNoServicePending(Win32System& system) {
    WaitUntil(
        [&] {
            std::vector<ServiceEntry> entries;
            system.EnumerateServices(kServiceTypeWin32 | kServiceTypeDriver, entries);
            for (const ServiceEntry& entry : entries) {
                const uint32_t state = entry.status.dwCurrentState;
                if (state != kStateStopped && state != kStateRunning && state != kStatePaused)
                    return false;
            }
            return true;
        },
        10000);
}

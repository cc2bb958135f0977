// Which source tells each field: QueryServiceConfigW the account, the error control, the
// dependencies and the command line; its two further levels the delayed start and the triggers;
// the service's key whatever the manager did not answer ("ObjectName", "ErrorControl",
// "DependOnService", "DependOnGroup", "DelayedAutostart", the "TriggerInfo" key), the dependencies
// where the manager names none, and, always, the image path as stored. A value of the wrong type
// counts as missing, as the catalogue's do.
#include "catalogue/service_configuration.h"

#include <vector>

#include "catalogue/registry_values.h"
#include "platform/utf16.h"

namespace {

const char* Flag(bool value) {
    return value ? "1" : "0";
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty())
            joined += '/';
        joined += name;
    }
    return joined;
}

// A REG_MULTI_SZ comes as stored: UTF-16 strings, each ended by a NUL. An empty string ends the
// list, as the service manager reads it.
std::vector<std::string> ReadMultiString(RegistryKey& key, const char* name) {
    std::vector<std::string> strings;
    RegistryValue value;
    if (!key.GetValue(name, value) || value.type != kRegMultiSz)
        return strings;
    std::u16string current;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(value.data[i] | value.data[i + 1] << 8);
        if (unit != u'\0') {
            current += unit;
            continue;
        }
        if (current.empty())
            break;
        strings.push_back(Utf16ToUtf8(current));
        current.clear();
    }
    if (!current.empty())
        strings.push_back(Utf16ToUtf8(current));
    return strings;
}

// Windows keeps a service's triggers as the keys "TriggerInfo\0", "TriggerInfo\1", ...
bool HasTriggerKeys(RegistryKey& key) {
    std::unique_ptr<RegistryKey> triggers = key.OpenSubKey(u"TriggerInfo");
    return triggers && triggers->OpenSubKey(u"0");
}

}  // namespace

void ManagerConfiguration::Read(const SERVICE_ITEM& item, ServiceConfiguration& config,
                                std::string& commandLine) {
    config = ServiceConfiguration();
    commandLine.clear();
    if (!opened_) {
        opened_ = true;
        services_.OpenConfigQuery(query_);
        servicesKey_ = registry_.OpenKey(kServicesKeyW);
    }
    std::unique_ptr<RegistryKey> key =
        servicesKey_ ? servicesKey_->OpenSubKey(item.lpServiceNameW) : nullptr;
    ServiceConfigAnswer answer;
    if (!query_ || query_->Query(item.lpServiceNameW, answer) != 0)
        answer = ServiceConfigAnswer();

    if (answer.config) {
        commandLine = answer.binaryPath;
        config.account = answer.account;
        config.errorControl = std::to_string(answer.errorControl);
        config.dependOnService = Joined(answer.dependOnService);
        config.dependOnGroup = Joined(answer.dependOnGroup);
    } else if (key) {
        ReadTextValue(*key, "ImagePath", commandLine);
        ReadTextValue(*key, "ObjectName", config.account);
        uint32_t errorControl = 0;
        if (ReadDwordValue(*key, "ErrorControl", errorControl))
            config.errorControl = std::to_string(errorControl);
    }
    // Where the manager names no dependency the key is asked: Wine's manager never answers them
    // (its lpDependencies is always empty), and on Windows the key holds the manager's lists.
    if (key && answer.dependOnService.empty() && answer.dependOnGroup.empty()) {
        config.dependOnService = Joined(ReadMultiString(*key, "DependOnService"));
        config.dependOnGroup = Joined(ReadMultiString(*key, "DependOnGroup"));
    }
    if (answer.delayedKnown) {
        config.delayedAutoStart = Flag(answer.delayed);
    } else if (key) {
        // Without the value the start is not delayed.
        uint32_t delayed = 0;
        config.delayedAutoStart =
            Flag(ReadDwordValue(*key, "DelayedAutostart", delayed) && delayed);
    }
    if (answer.triggersKnown)
        config.triggerStart = Flag(answer.triggers);
    else if (key)
        config.triggerStart = Flag(HasTriggerKeys(*key));
    if (key)
        key->GetStoredText("ImagePath", config.storedImagePath);
}

#include "app/load_report.h"

#include "res/resource.h"
#include "window/message_box.h"
#include "window/resource_strings.h"

namespace {

const EnumerationResult& Pass(const CServiceList& catalogue, int index) {
    return catalogue.PassResult(index == 0);
}

// Both passes ask the manager alike, so one that cannot be opened fails them both.
bool ManagerUnavailable(const CServiceList& catalogue) {
    return Pass(catalogue, 0).managerUnavailable || Pass(catalogue, 1).managerUnavailable;
}

}  // namespace

std::string LoadShortfallText(const CServiceList& catalogue) {
    std::string text;
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : "\n\n") + part; };
    if (ManagerUnavailable(catalogue)) {
        const EnumerationResult& pass =
            Pass(catalogue, Pass(catalogue, 0).managerUnavailable ? 0 : 1);
        add(FormatResString(IDS_MANAGER_UNAVAILABLE, SystemErrorText(pass.error)));
    } else {
        for (int index = 0; index < 2; ++index) {
            const EnumerationResult& pass = Pass(catalogue, index);
            if (pass.error != 0)
                add(FormatResString(IDS_LIST_INCOMPLETE,
                                    {LoadResString(index == 0 ? IDS_PASS_WIN32 : IDS_PASS_DRIVERS),
                                     SystemErrorText(pass.error)}));
        }
    }
    const std::size_t missing = catalogue.LoadShortfall().entries;
    if (missing != 0)
        add(FormatResString(IDS_CATALOGUE_NO_MEMORY, std::to_string(missing)));
    return text;
}

uint32_t LoadShortfallError(const CServiceList& catalogue) {
    for (int index = 0; index < 2; ++index) {
        if (Pass(catalogue, index).error != 0)
            return Pass(catalogue, index).error;
    }
    return catalogue.LoadShortfall().entries != 0 ? ERROR_NOT_ENOUGH_MEMORY : 0;
}

#include "platform/wow64.h"

bool RunsUnderWow64(const Wow64Report& report) {
    if (report.queriedProcess2)
        return report.processMachine != 0;
    return report.queriedProcess && report.wow64;
}

// The 32-bit build refuses to run under WOW64: the decision from what the system's two queries
// answer (IsWow64Process2 from Windows 10 version 1709 on, IsWow64Process before).
#include <gtest/gtest.h>

#include "platform/wow64.h"

namespace {

constexpr uint16_t kMachineI386 = 0x014c;   // IMAGE_FILE_MACHINE_I386
constexpr uint16_t kMachineArmNt = 0x01c4;  // IMAGE_FILE_MACHINE_ARMNT

Wow64Report Process2(uint16_t processMachine) {
    Wow64Report report;
    report.queriedProcess2 = true;
    report.processMachine = processMachine;
    return report;
}

TEST(Wow64, IsWow64Process2DecidesWhereItAnswers) {
    EXPECT_TRUE(RunsUnderWow64(Process2(kMachineI386)));   // i686 on x64 or ARM64
    EXPECT_TRUE(RunsUnderWow64(Process2(kMachineArmNt)));  // 32-bit ARM on ARM64
    EXPECT_FALSE(RunsUnderWow64(Process2(0)));             // a native process
    // An x64 process emulated on ARM64 is no WOW64 process, whatever the older query says.
    Wow64Report emulated = Process2(0);
    emulated.queriedProcess = true;
    emulated.wow64 = true;
    EXPECT_FALSE(RunsUnderWow64(emulated));
}

TEST(Wow64, IsWow64ProcessDecidesWhereTheNewerQueryIsMissingOrFails) {
    Wow64Report older;
    older.queriedProcess = true;
    older.wow64 = true;
    EXPECT_TRUE(RunsUnderWow64(older));
    older.wow64 = false;
    EXPECT_FALSE(RunsUnderWow64(older));
    // Neither answered: a system without WOW64 (32-bit Windows before XP SP2).
    EXPECT_FALSE(RunsUnderWow64(Wow64Report()));
    Wow64Report unanswered;
    unanswered.wow64 = true;  // a query that failed says nothing
    EXPECT_FALSE(RunsUnderWow64(unanswered));
}

}  // namespace

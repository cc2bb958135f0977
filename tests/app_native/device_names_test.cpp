#include <gtest/gtest.h>

#include "platform/device_names.h"

namespace {

TEST(DeviceNames, TheReservedNamesInAnyFolderCaseOrExtension) {
    for (const wchar_t* path : {L"CON", L"con", L"nul.csv", L"C:\\out\\Nul.tar.gz", L"C:aux",
                                L"d:/x/prn", L"COM1", L"lpt9.csv", L"COM\u00b9", L"conout$",
                                L"CONIN$.csv", L"CON .csv", L"con:", L"\\\\.\\CON"})
        EXPECT_TRUE(NamesDevice(path)) << path;
}

TEST(DeviceNames, NamesThatOnlyLookLikeThem) {
    for (const wchar_t* path : {L"", L"console.csv", L"CON1", L"COM", L"COM10", L"LPTX",
                                L"nul\\x.csv", L"C:\\con\\a.csv", L"xcon", L"a.con", L"COM\u00b4"})
        EXPECT_FALSE(NamesDevice(path)) << path;
}

}  // namespace

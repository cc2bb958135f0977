// Registry operations of the real platform on keys of the test's own under HKLM\SOFTWARE, checked
// against the registry itself and against reg.exe.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/live_system.h"
#include "platform/win32/win32_system.h"

namespace {

const char kTestKey[] = "SOFTWARE\\OrvaneTest";
const wchar_t kTestKeyW[] = L"SOFTWARE\\OrvaneTest";

class RegistryTest : public ::testing::Test {
protected:
    Win32System system_;

    void SetUp() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKeyW); }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTestKeyW); }

    // Writes a value with calls of its own, so the platform's reads are checked against other code.
    static void Put(const wchar_t* subKey, const wchar_t* name, DWORD type, const void* data,
                    DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void PutText(const wchar_t* subKey, const wchar_t* name, const std::wstring& text) {
        Put(subKey, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
};

// The folder of the test executable, where the test's resource DLLs are built.
std::wstring ModuleFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

TEST_F(RegistryTest, IndirectStringResolvesFromItsResource) {
    const wchar_t* key = L"SOFTWARE\\OrvaneTest\\Indirect";
    PutText(key, L"Good", L"@%SystemRoot%\\system32\\shell32.dll,-8");
    PutText(key, L"MissingFile", L"@%SystemRoot%\\system32\\orvane-none.dll,-8");
    PutText(key, L"MissingId", L"@%SystemRoot%\\system32\\shell32.dll,-64999");
    // A text of any length resolves whole: the catalogue, not the resolver, judges its length.
    PutText(key, L"Long", L"@" + ModuleFolder() + L"\\long_string.dll,-1");
    std::unique_ptr<RegistryKey> indirect = system_.OpenKey(u"SOFTWARE\\OrvaneTest\\Indirect");
    ASSERT_NE(indirect, nullptr);
    std::string text = "unchanged";
    ASSERT_TRUE(indirect->LoadIndirectString("Good", text));
    EXPECT_EQ(text, "Size");
    ASSERT_TRUE(indirect->LoadIndirectString("Long", text));
    EXPECT_EQ(text, "说" + std::string(1099, 'x'));
    EXPECT_FALSE(indirect->LoadIndirectString("MissingFile", text));
    EXPECT_FALSE(indirect->LoadIndirectString("MissingId", text));
    EXPECT_FALSE(indirect->LoadIndirectString("NoSuchValue", text));
}

TEST_F(RegistryTest, TextValuesReadAsSHGetValueGivesThemWithTheirStoredType) {
    const std::wstring path = L"%SystemRoot%\\system32\\x.exe";
    Put(L"SOFTWARE\\OrvaneTest", L"Expand", REG_EXPAND_SZ, path.c_str(),
        static_cast<DWORD>((path.size() + 1) * 2));
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    // Opened once, below a key that is open: as the catalogue opens each service's key.
    std::unique_ptr<RegistryKey> software = system_.OpenKey(u"SOFTWARE");
    ASSERT_NE(software, nullptr);
    std::unique_ptr<RegistryKey> key = software->OpenSubKey(u"OrvaneTest");
    ASSERT_NE(key, nullptr);
    RegistryValue value;
    ASSERT_TRUE(key->GetValue("Expand", value));
    EXPECT_EQ(value.type, static_cast<uint32_t>(REG_EXPAND_SZ));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(value.data.data())),
              std::string(windows) + "\\system32\\x.exe");
    EXPECT_EQ(value.data.back(), 0);
    EXPECT_FALSE(key->GetValue("NoSuchValue", value));
    EXPECT_EQ(key->OpenSubKey(u"None"), nullptr);
    EXPECT_EQ(system_.OpenKey(u"SOFTWARE\\OrvaneTest\\None"), nullptr);
}

// Values of several kilobytes and of non-text types come back whole, in enumeration order; texts
// in the 8-bit calls are UTF-8.
TEST_F(RegistryTest, ReadAndEnumerateValuesAtTheirRealSize) {
    const std::wstring big(5000, L'x');
    std::vector<uint8_t> binary(12000);
    for (size_t i = 0; i < binary.size(); ++i) {
        binary[i] = static_cast<uint8_t>(i * 7);
    }
    const DWORD dword = 0x12345678;
    const unsigned long long qword = 0x1122334455667788ull;
    const wchar_t multi[] = L"one\0two\0";
    PutText(kTestKeyW, L"Big", big);
    Put(kTestKeyW, L"Binary", REG_BINARY, binary.data(), static_cast<DWORD>(binary.size()));
    Put(kTestKeyW, L"Dword", REG_DWORD, &dword, sizeof dword);
    Put(kTestKeyW, L"Qword", REG_QWORD, &qword, sizeof qword);
    Put(kTestKeyW, L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    PutText(kTestKeyW, L"\u670d\u52a1", L"\u63cf\u8ff0");  // 服务 = 描述

    RegistryValue value;
    ASSERT_TRUE(system_.ReadValue(kTestKey, "Big", value));
    EXPECT_EQ(value.type, static_cast<uint32_t>(REG_SZ));
    EXPECT_EQ(std::string(value.data.begin(), value.data.end()), std::string(5000, 'x') + '\0');
    ASSERT_TRUE(system_.ReadValue(kTestKey, "Binary", value));
    EXPECT_EQ(value.data, binary);
    EXPECT_FALSE(system_.ReadValue(kTestKey, "NoSuchValue", value));
    EXPECT_FALSE(system_.ReadValue("SOFTWARE\\OrvaneTest\\None", "Big", value));

    std::vector<RegistryValue> values;
    ASSERT_TRUE(system_.EnumerateValues(kTestKey, values));
    ASSERT_EQ(values.size(), 6u);
    // Windows enumerates values in the order they were written, Wine by name: look them up.
    std::map<std::string, RegistryValue> byName;
    for (const RegistryValue& each : values) {
        byName[each.name] = each;
    }
    EXPECT_EQ(byName["Big"].data.size(), 5001u);
    EXPECT_EQ(byName["Binary"].data, binary);
    EXPECT_EQ(byName["Dword"].type, static_cast<uint32_t>(REG_DWORD));
    EXPECT_EQ(byName["Dword"].data, std::vector<uint8_t>({0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(byName["Qword"].type, static_cast<uint32_t>(REG_QWORD));
    EXPECT_EQ(byName["Qword"].data.size(), 8u);
    EXPECT_EQ(byName["Multi"].type, static_cast<uint32_t>(REG_MULTI_SZ));
    EXPECT_EQ(std::string(byName["Multi"].data.begin(), byName["Multi"].data.end()),
              std::string("one\0two\0\0", 9));
    const RegistryValue& chinese = byName["\xe6\x9c\x8d\xe5\x8a\xa1"];
    EXPECT_EQ(std::string(chinese.data.begin(), chinese.data.end()),
              std::string("\xe6\x8f\x8f\xe8\xbf\xb0") + '\0');
    EXPECT_FALSE(system_.EnumerateValues("SOFTWARE\\OrvaneTest\\None", values));
}

}  // namespace

// Files that are not a saved inventory, or are damaged anywhere, are refused as a whole, naming the
// first bad line.
#include <gtest/gtest.h>

#include <string>

#include "inventory/file_inventory.h"
#include "tests/support/sample_services.h"

namespace {

const std::string kHeader =
    "ServiceName,DisplayName,ServiceKind,ServiceType,CurrentState,Start,Description,ImagePath,"
    "ServiceDll,Group,SvchostGroup\r\n";
const std::string kGood = "Alpha,Alpha,48,16,4,2,\"a\r\nb\",C:\\a.exe,,,0\r\n";  // lines 2, 3
const std::string kDriver = "Drv,Drv,11,1,1,3,d,C:\\d.sys,,,0\r\n";              // line 4

struct Case {
    const char* what;
    std::string file;
    InventoryProblem problem;
    size_t line;
};

InventoryError Load(const std::string& file, bool& loaded) {
    LoadedInventory inventory;
    InventoryError error;
    loaded = LoadInventory(file.data(), file.size(), inventory, error);
    EXPECT_EQ(loaded, inventory.inventory && inventory.catalogue);
    return error;
}

TEST(InventoryRefusal, GoodFilesLoadWithOrWithoutTheByteOrderMark) {
    bool loaded = false;
    Load("\xEF\xBB\xBF" + kHeader + kGood + kDriver, loaded);
    EXPECT_TRUE(loaded);
    Load(kHeader, loaded);  // an empty catalogue
    EXPECT_TRUE(loaded);
    // The longest texts a system has: a name of 256 characters, a display name of 259.
    Load(kHeader + Repeat("n", 256) + "," + Repeat("名", 259) + ",48,16,4,2,d,e,,,0\r\n", loaded);
    EXPECT_TRUE(loaded);
}

TEST(InventoryRefusal, EachDamageRefusesTheFileAtItsFirstBadLine) {
    using P = InventoryProblem;
    const std::string body = kHeader + kGood + kDriver;
    const Case cases[] = {
        {"empty", "", P::Header, 1},
        {"byte-order mark only", "\xEF\xBB\xBF", P::Header, 1},
        {"other header", "Name,Kind\r\n", P::Header, 1},
        {"header cut", kHeader.substr(0, 30), P::Header, 1},
        {"cut inside a quoted text", body.substr(0, kHeader.size() + 27), P::Truncated, 3},
        {"cut inside a field", body.substr(0, body.size() - 5), P::Truncated, 4},
        {"cut between CR and LF", body.substr(0, body.size() - 1), P::Truncated, 4},
        {"no line end at all", body.substr(0, body.size() - 2), P::Truncated, 4},
        {"too few fields", body + "X,X,48,16,4,2,d,C:\\x.exe,,\r\n", P::Columns, 5},
        {"too many fields", body + "X,X,48,16,4,2,d,C:\\x.exe,,,0,\r\n", P::Columns, 5},
        {"blank line", body + "\r\n", P::Columns, 5},
        {"quote in a plain field", body + "X,X\"y,48,16,4,2,d,e,,,0\r\n", P::Quoting, 5},
        {"text after a closing quote", body + "X,\"X\"y,48,16,4,2,d,e,,,0\r\n", P::Quoting, 5},
        {"bare line feed", kHeader + "X,X,48,16,4,2,d,e,,,0\n", P::LineEnd, 2},
        {"bare carriage return", kHeader + kGood + "X\rX", P::LineEnd, 4},
        {"GBK text", body + "X,\xB7\xFE\xCE\xF1,48,16,4,2,d,e,,,0\r\n", P::Encoding, 5},
        {"overlong form", body + "X,\xC0\xAF,48,16,4,2,d,e,,,0\r\n", P::Encoding, 5},
        {"surrogate", body + "X,\xED\xA0\x80,48,16,4,2,d,e,,,0\r\n", P::Encoding, 5},
        {"NUL byte", body + "X,a" + std::string(1, '\0') + "b,48,16,4,2,d,e,,,0\r\n", P::Encoding,
         5},
        {"encoding before quoting", kHeader + "\xFF\r\n" + "X,\"a\"b\r\n", P::Encoding, 2},
        {"quoting before encoding", kHeader + "X,\"a\"b\r\n" + "\xFF\r\n", P::Quoting, 2},
        {"kind neither 48 nor 11", body + "X,X,12,16,4,2,d,e,,,0\r\n", P::Number, 5},
        {"svchost group 3", body + "X,X,48,16,4,2,d,e,,,3\r\n", P::Number, 5},
        {"start beyond 32 bits", body + "X,X,48,16,4,4294967296,d,e,,,0\r\n", P::Number, 5},
        {"negative state", body + "X,X,48,16,-1,2,d,e,,,0\r\n", P::Number, 5},
        {"leading zero", body + "X,X,48,016,4,2,d,e,,,0\r\n", P::Number, 5},
        {"empty number", body + "X,X,48,,4,2,d,e,,,0\r\n", P::Number, 5},
        {"number on the record's second line", kHeader + "X,\"a\r\nb\",48,1x,4,2,d,e,,,0\r\n",
         P::Number, 3},
        {"description of 260 characters",
         body + "X,X,48,16,4,2," + std::string(260, 'd') + ",e,,,0\r\n", P::Text, 5},
        {"empty service name", body + ",X,48,16,4,2,d,e,,,0\r\n", P::Text, 5},
        {"service name of 257 characters",
         body + std::string(257, 'n') + ",X,48,16,4,2,d,e,,,0\r\n", P::Text, 5},
        {"display name of 260 characters",
         body + "X," + std::string(260, 'n') + ",48,16,4,2,d,e,,,0\r\n", P::Text, 5},
        // Well-formed, but not what a catalogue makes of it.
        {"svchost group without a DLL", body + "X,X,48,16,4,2,d,e -k netsvcs,,,2\r\n", P::Record,
         5},
        {"svchost group 1 for netsvcs", body + "X,X,48,16,4,2,d,e -k netsvcs,x.dll,,1\r\n",
         P::Record, 5},
        {"the same name twice", body + "Alpha,Other,48,16,4,2,d,e,,,0\r\n", P::Record, 5},
        // Whatever finds it, the first bad line is named: a driver before a Win32 service (the
        // catalogue loads the Win32 services first), a record only loading finds wrong before a
        // line the reading refuses.
        {"bad driver before a bad Win32 service",
         kHeader + "D,D,11,1,1,3,d,e -k netsvcs,,,2\r\n" + kGood + "X,X,48,16,4,2,d,e,,,2\r\n",
         P::Record, 2},
        {"bad record before text that is not UTF-8",
         kHeader + kGood + "X,X,48,16,4,2,d,e,,,2\r\n" + kDriver + "Y,\xFF,48,16,4,2,d,e,,,0\r\n",
         P::Record, 4},
        {"bad record before a cut", body + "X,X,48,16,4,2,d,e,,,2\r\nY,\"cut", P::Record, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool loaded = true;
        InventoryError error = Load(c.file, loaded);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(c.problem));
        EXPECT_EQ(error.line, c.line);
    }
}

TEST(InventoryRefusal, AFileLargerThanAnySystemIsRefusedBeforeReading) {
    std::vector<InventoryRecord> records;
    InventoryError error;
    EXPECT_FALSE(ParseInventoryCsv(kHeader.data(), kMaxInventoryBytes + 1, records, error));
    EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(InventoryProblem::TooLarge));
}

// The header names its version: the first version's files open as they were made, by the rules of
// then; a file of this version holds the configuration after the catalogue's fields.
const std::string kHeader2 = kHeader.substr(0, kHeader.size() - 2) +
                             ",FormatVersion,ObjectName,DelayedAutoStart,TriggerStart,"
                             "ErrorControl,DependOnService,DependOnGroup,StoredImagePath,Sha256,"
                             "UnquotedPath\r\n";
const std::string kDigest(64, 'a');

std::string Row2(const std::string& catalogue, const std::string& config) {
    return catalogue + ",2," + config + "\r\n";
}

TEST(InventoryVersions, AFileOfTheFirstVersionOpensWithWhatItsRulesGave) {
    // The rules of then: "-k NetSvcs" was no svchost group (matched with regard to case), an INF
    // description was shown as stored. Today's rules show them as netsvcs and as its text.
    const std::string netSvcs = "N,N,48,32,4,2,d,C:\\svchost.exe -k NetSvcs,n.dll,,0";
    const std::string inf = "I,I,11,1,1,3,\"@oem1.inf,%d%;Pass through\",C:\\i.sys,,,0";
    const std::string file = kHeader + netSvcs + "\r\n" + inf + "\r\n";
    LoadedInventory loaded;
    InventoryError error;
    ASSERT_TRUE(LoadInventory(file.data(), file.size(), loaded, error)) << error.line;
    EXPECT_EQ(loaded.catalogue->Find("N")->SvchostGroup, kSvchostNetsvcs);
    EXPECT_STREQ(loaded.catalogue->Find("I")->Description, "Pass through");
    ServiceConfiguration saved;
    loaded.inventory->ReadConfiguration(*loaded.catalogue->Find("N"), saved);
    EXPECT_EQ(saved.account + saved.delayedAutoStart + saved.sha256, "");  // none saved

    using P = InventoryProblem;
    const std::string config =
        "LocalSystem,0,1,1,RpcSs,,C:\\svchost.exe -k NetSvcs," + kDigest + ",0";
    const Case cases[] = {
        // A group neither rule gives is still a contradiction.
        {"old file, netsvcs as LocalService",
         kHeader + "M,M,48,32,4,2,d,C:\\svchost.exe -k netsvcs,n.dll,,1\r\n", P::Record, 2},
        // A file of this version follows today's rules only.
        {"new file, old svchost rule", kHeader2 + Row2(netSvcs, config), P::Record, 2},
        {"new file, old description rule", kHeader2 + Row2(inf, ",,,,,,,,"), P::Record, 2},
        {"version 3 in a row", kHeader2 + "X,X,48,16,4,2,d,e,,,0,3,,,,,,,,,\r\n", P::Number, 2},
        {"flag of 2", kHeader2 + Row2("X,X,48,16,4,2,d,e,,,0", ",2,,,,,,,"), P::Number, 2},
        {"digest in capitals",
         kHeader2 + Row2("X,X,48,16,4,2,d,e,,,0", ",,,,,,," + std::string(64, 'A') + ","), P::Text,
         2},
        {"old row under the new header", kHeader2 + "X,X,48,16,4,2,d,e,,,0\r\n", P::Columns, 2},
        {"header of a later version", kHeader2.substr(0, kHeader2.size() - 2) + ",Later\r\n",
         P::Header, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool opened = true;
        error = Load(c.file, opened);
        EXPECT_FALSE(opened);
        EXPECT_EQ(static_cast<int>(error.problem), static_cast<int>(c.problem));
        EXPECT_EQ(error.line, c.line);
    }
    bool opened = false;
    Load(kHeader2 + Row2("N,N,48,32,4,2,d,C:\\svchost.exe -k NetSvcs,n.dll,,2", config), opened);
    EXPECT_TRUE(opened);
}

}  // namespace

// Descriptions stored as indirect strings ("@file,-id") are resolved; plain ones are taken as read.
#include "tests/catalogue/catalogue_fixture.h"

namespace {

class DescriptionTest : public CatalogueTest {
protected:
    const SERVICE_ITEM& Load(const std::string& description) {
        fake.AddService(kServiceTypeWin32, "svc", "svc.exe");
        fake.SetString(FakeSystem::ServiceKey("svc"), "Description", description);
        list.Reload();
        return Record("svc");
    }
};

const char kIndirect[] = "@%SystemRoot%\\system32\\svc.dll,-101";

TEST_F(DescriptionTest, IndirectStringIsResolved) {
    fake.SetIndirectString(kIndirect, "提供打印服务");
    EXPECT_STREQ(Load(kIndirect).Description, "提供打印服务");
}

TEST_F(DescriptionTest, UnresolvableIndirectStringIsKeptRaw) {
    EXPECT_STREQ(Load(kIndirect).Description, kIndirect);
}

TEST_F(DescriptionTest, OverlongResolvedTextGivesDisplayNameWhateverItsLength) {
    fake.SetIndirectString(kIndirect, Repeat("说", 260));
    EXPECT_STREQ(Load(kIndirect).Description, "svc display");
    fake.SetIndirectString(kIndirect, Repeat("d", 1100));
    list.Reload();
    EXPECT_STREQ(Record("svc").Description, "svc display");
}

TEST_F(DescriptionTest, ResolvedTextOfMaximumLengthIsKept) {
    fake.SetIndirectString(kIndirect, Repeat("说", 259));
    EXPECT_EQ(TextCharCount(Load(kIndirect).Description), 259u);
}

TEST_F(DescriptionTest, PlainTextIsNeverResolved) {
    fake.SetIndirectString("Plain text", "resolved");
    EXPECT_STREQ(Load("Plain text").Description, "Plain text");
}

// A driver installed from an INF file stores "@file.inf,%key%;text", which the resource loader
// cannot resolve: the text after the ';' is shown, and the loader is not asked.
TEST_F(DescriptionTest, InfFormShowsTheTextAfterTheSemicolon) {
    const char kUmPass[] = "@umpass.inf,%umpass.SVCDESC%;Microsoft UMPass Driver";
    fake.SetIndirectString(kUmPass, "resolved");
    EXPECT_STREQ(Load(kUmPass).Description, "Microsoft UMPass Driver");
    EXPECT_STREQ(Load("@oem7.inf,%100%%Desc%;说明; 第二部分").Description, "说明; 第二部分");
    EXPECT_STREQ(Load("@oem7.inf,%Desc%;").Description, "");
    EXPECT_STREQ(Load("@oem7.inf,%Desc%;" + Repeat("说", 260)).Description, "svc display");
}

TEST_F(DescriptionTest, NotQuiteTheInfFormStaysAsStored) {
    for (const char* raw : {"@oem7.inf,%Desc%", "@oem7.inf,%Desc% ;text", "@oem7.inf,%%;text",
                            "@,%Desc%;text", "oem7.inf,%Desc%;text"}) {
        EXPECT_STREQ(Load(raw).Description, raw);
    }
}

TEST_F(DescriptionTest, EmptyDescriptionIsKeptEmpty) {
    EXPECT_STREQ(Load("").Description, "");
}

}  // namespace

// Saving the catalogue and loading it back through the saved inventory: every record of both kinds
// comes back field for field, whatever the texts hold; the saved inventory controls nothing.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/service_control.h"
#include "inventory/file_inventory.h"
#include "inventory/inventory_switch.h"
#include "platform/fake/fake_system.h"
#include "tests/support/inventory_files.h"
#include "tests/support/sample_services.h"
#include "tests/support/test_clock.h"

namespace {

// The catalogue saved and the file loaded back; the file's bytes.
std::string SaveAndLoad(const CServiceList& catalogue, LoadedInventory& loaded) {
    std::string file;
    WriteInventoryCsv(catalogue, file);
    InventoryError error;
    EXPECT_TRUE(LoadInventory(file.data(), file.size(), loaded, error))
        << static_cast<int>(error.problem) << " at line " << error.line;
    return file;
}

void ExpectSameRecords(const CServiceList& saved, const CServiceList& loaded) {
    ASSERT_EQ(saved.GetCount(), loaded.GetCount());
    int32_t a = 0, b = 0;
    const SERVICE_ITEM* x = nullptr;
    const SERVICE_ITEM* y = nullptr;
    for (bool more = saved.GetFirst(a, x) && loaded.GetFirst(b, y); more;
         more = saved.GetNext(a, x) && loaded.GetNext(b, y)) {
        SCOPED_TRACE(x->lpServiceName);
        EXPECT_EQ(x->lpServiceName, y->lpServiceName);
        EXPECT_EQ(x->lpDisplayName, y->lpDisplayName);
        EXPECT_EQ(x->ServiceKind, y->ServiceKind);
        EXPECT_EQ(x->ServiceStatus.dwServiceType, y->ServiceStatus.dwServiceType);
        EXPECT_EQ(x->ServiceStatus.dwCurrentState, y->ServiceStatus.dwCurrentState);
        EXPECT_EQ(x->Start, y->Start);
        EXPECT_STREQ(x->Description, y->Description);
        EXPECT_STREQ(x->ImagePath, y->ImagePath);
        EXPECT_STREQ(x->ServiceDll, y->ServiceDll);
        EXPECT_STREQ(x->Group, y->Group);
        EXPECT_EQ(x->SvchostGroup, y->SvchostGroup);
    }
}

TEST(InventoryRoundTrip, EveryRecordOfBothKindsComesBackFieldForField) {
    FakeSystem fake;
    AddAwkwardServices(fake);
    CServiceList saved(fake, fake);
    saved.Reload();
    ASSERT_EQ(saved.GetCount(), 12u);
    EXPECT_EQ(saved.Find("Quoted")->SvchostGroup, kSvchostNetsvcs);
    EXPECT_STREQ(saved.Find("Again")->ImagePath, "\\??\\C:\\again.exe");

    LoadedInventory inventory;
    const std::string file = SaveAndLoad(saved, inventory);
    ASSERT_TRUE(inventory.catalogue);
    ExpectSameRecords(saved, *inventory.catalogue);
    CServiceList loaded(*inventory.inventory, *inventory.inventory);  // and again from the file
    loaded.Reload();
    ExpectSameRecords(saved, loaded);
    std::string again;
    WriteInventoryCsv(loaded, again);
    EXPECT_EQ(file, again);
}

TEST(InventoryRoundTrip, FileHoldsBomVersionedHeaderQuotedTextsAndDecimalNumbers) {
    FakeSystem fake;
    FakeService& quoted = fake.AddService(kServiceTypeWin32, "Quoted",
                                          "\"C:\\a\\q.exe\" -k netsvcs", 2, kStateRunning);
    fake.SetString(FakeSystem::ServiceKey("Quoted"), "Description", "a, \"b\"\r\nc");
    fake.SetString(FakeSystem::ParametersKey("Quoted"), "ServiceDll", "q.dll");
    quoted.config.config = true;
    quoted.config.account = "NT AUTHORITY\\LocalService";
    quoted.config.errorControl = 1;
    quoted.config.dependOnService = {"RpcSs", "Tcpip"};
    quoted.config.dependOnGroup = {"NetBIOSGroup"};
    quoted.config.delayedKnown = quoted.config.delayed = true;
    fake.CreateKey(FakeSystem::ServiceKey("Quoted") + "\\TriggerInfo\\0");
    fake.AddService(kServiceTypeDriver, "驱动", "d.sys", 0xFFFFFFFF, kStateRunning);
    fake.SetDword(FakeSystem::ServiceKey("驱动"), "ErrorControl", 3);
    const std::string file = SavedInventoryOf(fake);
    EXPECT_EQ(
        file,
        "\xEF\xBB\xBF"
        "ServiceName,DisplayName,ServiceKind,ServiceType,CurrentState,Start,Description,"
        "ImagePath,ServiceDll,Group,SvchostGroup,FormatVersion,ObjectName,DelayedAutoStart,"
        "TriggerStart,ErrorControl,DependOnService,DependOnGroup,StoredImagePath,Sha256,"
        "UnquotedPath\r\n"
        "Quoted,Quoted display,48,16,4,2,\"a, \"\"b\"\"\r\nc\",C:\\a\\q.exe -k netsvcs,q.dll,,"
        "2,2,NT AUTHORITY\\LocalService,1,1,1,RpcSs/Tcpip,NetBIOSGroup,"
        "\"\"\"C:\\a\\q.exe\"\" -k netsvcs\",,\r\n"
        "驱动,驱动 display,11,1,4,,驱动 display,d.sys,,,0,2,,0,0,3,,,d.sys,,\r\n");

    // Opened, the file gives its configuration back as saved.
    LoadedInventory loaded;
    InventoryError error;
    ASSERT_TRUE(LoadInventory(file.data(), file.size(), loaded, error));
    std::string again;
    WriteInventoryCsv(*loaded.catalogue, *loaded.inventory, again);
    EXPECT_EQ(again, file);
}

TEST(InventoryRoundTrip, MalformedTextIsSavedAsReplacementCharactersOfTheSameCount) {
    FakeSystem fake;
    fake.AddService(kServiceTypeWin32, "Raw", "r.exe");
    // A lone lead byte, an overlong slash (two bytes the limits count apart) and a surrogate.
    fake.SetString(FakeSystem::ServiceKey("Raw"), "Description",
                   "\xE4|\xC0\xAF|\xED\xA0\x80" + Repeat("x", 253));
    CServiceList catalogue(fake, fake);
    catalogue.Reload();
    ASSERT_EQ(TextCharCount(catalogue.Find("Raw")->Description), 259u);
    LoadedInventory inventory;
    SaveAndLoad(catalogue, inventory);
    ASSERT_TRUE(inventory.catalogue);
    EXPECT_EQ(std::string(inventory.catalogue->Find("Raw")->Description),
              "\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD" + Repeat("x", 253));
}

TEST(InventoryRoundTrip, TheCheckedCatalogueTakesTheShownOnesPlaceAndTheFileControlsNothing) {
    FakeSystem live;
    live.AddService(kServiceTypeWin32, "LiveOnly", "l.exe");
    FakeSystem other;
    other.AddService(kServiceTypeWin32, "Saved", "s.exe");
    CServiceList source(other, other);
    source.Reload();
    LoadedInventory inventory;
    SaveAndLoad(source, inventory);
    ASSERT_TRUE(inventory.catalogue);

    ManagerConfiguration liveConfiguration(live, live);
    InventorySwitch inventories(live, live, liveConfiguration);
    CServiceList shown(inventories, inventories);
    shown.Reload();
    inventories.UseFile(std::move(inventory.inventory));
    shown.Swap(*inventory.catalogue);
    EXPECT_NE(shown.Find("Saved"), nullptr);
    EXPECT_NE(inventory.catalogue->Find("LiveOnly"), nullptr);  // the old records go with it
    ServiceControlResult result;
    TestClock clock;
    EXPECT_FALSE(shown.StartServiceByName(u"Saved", clock, result));
    EXPECT_EQ(result.error, kErrorSavedInventory);
    EXPECT_EQ(ChangeServiceStartType(inventories, u"Saved", 2), kErrorSavedInventory);
}

}  // namespace

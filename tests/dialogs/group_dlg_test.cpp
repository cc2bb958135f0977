// The service groups dialog: its two lists read back from the controls, over registry contents of
// our own (the fake) and over Wine's registry (compared with reg.exe).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/service_group_dlg.h"
#include "tests/support/running_frame.h"
#include "tests/support/live_system.h"
#include "tests/support/modal_driver.h"
#include "platform/fake/fake_system.h"
#include "platform/win32/win32_system.h"
#include "res/resource.h"

namespace {

const char kSvchostKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SvcHost";
const char kOrderKey[] = "System\\CurrentControlSet\\Control\\ServiceGroupOrder";
constexpr DWORD kListExStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB;

using Rows = std::vector<std::pair<std::string, std::string>>;

struct ListShape {
    DWORD exStyle = 0;
    std::vector<std::pair<std::string, int>> columns;
};

std::string ItemText(HWND list, int row, int column) {
    std::vector<char> text(65536);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text.data();
}

Rows ReadRows(HWND list) {
    Rows rows;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        rows.emplace_back(ItemText(list, row, 0), ItemText(list, row, 1));
    }
    return rows;
}

ListShape ReadShape(HWND list) {
    ListShape shape;
    shape.exStyle = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    for (int i = 0;; ++i) {
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        if (!SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)))
            break;
        shape.columns.emplace_back(text, column.cx);
    }
    return shape;
}

struct GroupDialogView {
    bool done = false;
    Rows svchost;
    Rows order;
    ListShape svchostShape;
    ListShape orderShape;
};

// Opens the dialog (through the frame's command when a frame is given), reads it, closes it.
GroupDialogView OpenAndRead(GroupRegistryApi& registry, RunningFrame* frame = nullptr) {
    GroupDialogView view;
    ModalDriver driver({{kGroupCaption, [&](HWND dialog) {
                             HWND svchost = GetDlgItem(dialog, IDC_SVCHOST_LIST);
                             HWND order = GetDlgItem(dialog, IDC_GROUP_ORDER_LIST);
                             view.svchost = ReadRows(svchost);
                             view.order = ReadRows(order);
                             view.svchostShape = ReadShape(svchost);
                             view.orderShape = ReadShape(order);
                             PressButton(dialog, IDOK);
                         }}});
    if (frame) {
        frame->Command(ID_SERVICE_GROUP);
    } else {
        CServiceGroupDlg dialog(registry);
        dialog.DoModal();
    }
    view.done = driver.Done();
    return view;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(GroupDialog, OwnRegistryContentsAsStoredThroughTheFramesCommand) {
    FakeSystem fake;
    std::string big;
    for (int i = 0; i < 400; ++i)
        big += "Svc" + std::to_string(i) + std::string(1, '\0');
    big.push_back('\0');
    ASSERT_GT(big.size(), 2500u);
    fake.SetRaw(kSvchostKey, "netsvcs", kRegMultiSz, Bytes(big));
    fake.SetRaw(kSvchostKey, "pair", kRegMultiSz, Bytes(std::string("AppMgmt\0BITS\0\0", 14)));
    fake.SetDword(kSvchostKey, "Flag", 0x00410042);
    fake.SetRaw(kOrderKey, "List", kRegMultiSz, Bytes(std::string("Base\0\0PNP_TDI\0\0", 16)));
    RunningFrame frame(fake);
    ASSERT_TRUE(frame.Started());

    GroupDialogView view = OpenAndRead(fake, &frame);
    ASSERT_TRUE(view.done);
    std::string bigText = big;
    for (char& c : bigText)
        c = c ? c : ' ';
    EXPECT_EQ(view.svchost,
              (Rows{{"netsvcs", bigText}, {"pair", "AppMgmt BITS  "}, {"Flag", "B A "}}));
    EXPECT_EQ(view.order, (Rows{{"0", "Base"}, {"2", "PNP_TDI"}}));
    EXPECT_EQ(view.svchostShape.exStyle, kListExStyles);
    EXPECT_EQ(view.orderShape.exStyle, kListExStyles);
    using Columns = std::vector<std::pair<std::string, int>>;
    // Pixels at 96 DPI, scaled (this test runs at 144 DPI too).
    EXPECT_EQ(view.svchostShape.columns,
              (Columns{{"Name", frame.Scaled(130)}, {"Member", frame.Scaled(300)}}));
    EXPECT_EQ(view.orderShape.columns,
              (Columns{{"Order", frame.Scaled(60)}, {"Name", frame.Scaled(370)}}));
}

TEST(GroupDialog, MissingKeysLeaveTheirListEmptyAndEachOpeningReadsAfresh) {
    FakeSystem fake;
    fake.SetRaw(kSvchostKey, "pair", kRegMultiSz, Bytes(std::string("A\0B\0\0", 5)));
    GroupDialogView first = OpenAndRead(fake);
    ASSERT_TRUE(first.done);
    EXPECT_EQ(first.svchost.size(), 1u);
    EXPECT_TRUE(first.order.empty());

    fake.DeleteKey(kSvchostKey);
    fake.SetRaw(kOrderKey, "List", kRegMultiSz, Bytes(std::string("One\0", 4)));
    GroupDialogView second = OpenAndRead(fake);
    ASSERT_TRUE(second.done);
    EXPECT_TRUE(second.svchost.empty());
    EXPECT_EQ(second.order, (Rows{{"0", "One"}}));
}

// A group order of 100,000 names, empty pieces among them: every row is there with the texts a
// short list would show (the timing is the benchmark's, bench/group_dlg_bench.cpp).
TEST(GroupDialog, HundredThousandGroupsAreAllListed) {
    FakeSystem fake;
    std::string list;
    for (int i = 0; i < 100000; ++i)
        list += (i % 1000 == 999 ? std::string() : "Group" + std::to_string(i)) + '\0';
    list += '\0';
    fake.SetRaw(kOrderKey, "List", kRegMultiSz, Bytes(list));
    int count = 0;
    Rows sample;
    ModalDriver driver({{kGroupCaption, [&](HWND dialog) {
                             HWND order = GetDlgItem(dialog, IDC_GROUP_ORDER_LIST);
                             count = static_cast<int>(SendMessageA(order, LVM_GETITEMCOUNT, 0, 0));
                             for (int row : {0, 998, 999, count - 1})
                                 sample.emplace_back(ItemText(order, row, 0),
                                                     ItemText(order, row, 1));
                             PressButton(dialog, IDOK);
                         }}});
    CServiceGroupDlg dialog(fake);
    dialog.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(count, 100000 - 100);
    EXPECT_EQ(
        sample,
        (Rows{
            {"0", "Group0"}, {"998", "Group998"}, {"1000", "Group1000"}, {"99998", "Group99998"}}));
}

// reg.exe prints a multi-string with "\0" between its members; the dialog shows each stored NUL
// (the terminators included) as a space.
std::string RegMultiAsShown(const std::string& printed) {
    std::string shown;
    for (size_t i = 0; i < printed.size(); ++i) {
        if (printed.compare(i, 2, "\\0") == 0) {
            shown += ' ';
            ++i;
        } else {
            shown += printed[i];
        }
    }
    return shown + "  ";
}

TEST(GroupDialog, WinesRegistryAsRegShowsIt) {
    RegKeys svchost;
    RegKeys order;
    ASSERT_TRUE(RegQueryTree(kSvchostKey, svchost));
    ASSERT_TRUE(RegQueryTree(kOrderKey, order));
    Win32System system;
    GroupDialogView view = OpenAndRead(system);
    ASSERT_TRUE(view.done);

    const auto& values = svchost.begin()->second;
    ASSERT_EQ(view.svchost.size(), values.size());
    for (const auto& [name, member] : view.svchost) {
        auto found = values.find(name);
        ASSERT_NE(found, values.end()) << name;
        EXPECT_EQ(member, RegMultiAsShown(found->second.data)) << name;
    }
    Rows expectedOrder;
    std::string printed = order.begin()->second.at("List").data + "\\0";
    int position = 0;
    for (size_t start = 0, end; (end = printed.find("\\0", start)) != std::string::npos;
         start = end + 2, ++position) {
        std::string piece = printed.substr(start, end - start);
        if (!piece.empty())
            expectedOrder.emplace_back(std::to_string(position), piece);
    }
    ASSERT_FALSE(expectedOrder.empty());
    EXPECT_EQ(view.order, expectedOrder);
}

}  // namespace

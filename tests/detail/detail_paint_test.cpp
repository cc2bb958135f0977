// The detail pane's drawing into a memory device context, and the text lines it lays out for the
// three cases: file found without a DLL, found with a DLL, not found.
#include "views/detail_paint.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "catalogue/service_list.h"
#include "platform/fake/fake_system.h"
#include "tests/support/memory_canvas.h"
#include "tests/detail/test_files.h"
#include "platform/win32/handles.h"
#include "views/gradient.h"

namespace {

using Line = std::tuple<int, int, std::string>;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

SERVICE_ITEM MakeItem(const std::string& imagePath, const std::string& serviceDll = "") {
    SERVICE_ITEM item;
    item.lpServiceName = "TestSvc";
    item.lpDisplayName = "Test service";
    CopyText(item.ImagePath, sizeof item.ImagePath, imagePath.c_str());
    CopyText(item.ServiceDll, sizeof item.ServiceDll, serviceDll.c_str());
    return item;
}

std::vector<Line> Lines(const SERVICE_ITEM& item) {
    DetailLines lines;
    LayoutDetailLines(item, ProbeServiceFile(item), lines);
    std::vector<Line> result;
    for (int i = 0; i < lines.count; ++i) {
        result.emplace_back(lines.line[i].x, lines.line[i].y, lines.line[i].text);
    }
    return result;
}

TEST(DetailLines, FileFoundWithoutDll) {
    const std::string path = TestFile("ver_plain.dll");
    EXPECT_EQ(Lines(MakeItem(path)), (std::vector<Line>{
                                         {100, 10, "文件 : " + path},
                                         {100, 30, "版本: 65535.0.12.345"},
                                         {100, 50, "描述: 服务版本测试文件"},
                                         {100, 70, "公司: Orvane 测试公司"},
                                     }));
}

TEST(DetailLines, DllIsProbedAndShownUnderTheImagePath) {
    const std::string host = "C:\\windows\\system32\\svchost.exe -k netsvcs";
    const std::string dll = TestFile("ver_plain.dll");
    EXPECT_EQ(Lines(MakeItem(host, dll)), (std::vector<Line>{
                                              {100, 10, "文件 : " + host},
                                              {100, 30, "Dll: " + dll},
                                              {100, 50, "版本: 65535.0.12.345"},
                                              {100, 70, "描述: 服务版本测试文件"},
                                              {100, 90, "公司: Orvane 测试公司"},
                                          }));
}

// The file line keeps the whole command line; the file probed is the one it starts.
TEST(DetailLines, ImagePathWithArgumentsShowsItsFile) {
    const std::string withArguments = TestFile("ver_plain.dll") + " -k netsvcs";
    EXPECT_EQ(Lines(MakeItem(withArguments)), (std::vector<Line>{
                                                  {100, 10, "文件 : " + withArguments},
                                                  {100, 30, "版本: 65535.0.12.345"},
                                                  {100, 50, "描述: 服务版本测试文件"},
                                                  {100, 70, "公司: Orvane 测试公司"},
                                              }));
}

TEST(DetailLines, FileNotFound) {
    const std::string withArguments = TestFile("missing.dll") + " -k netsvcs";
    EXPECT_EQ(Lines(MakeItem(withArguments)), (std::vector<Line>{
                                                  {100, 10, "文件 : " + withArguments},
                                                  {100, 30, "<文件不存在>"},
                                              }));
    // A missing DLL hides the host file, which exists, and the Dll line.
    const std::string host = TestFile("ver_plain.dll");
    EXPECT_EQ(Lines(MakeItem(host, TestFile("missing.dll"))),
              (std::vector<Line>{{100, 10, "文件 : " + host}, {100, 30, "<文件不存在>"}}));
    EXPECT_EQ(std::get<2>(Lines(MakeItem(TestExeFolder()))[1]), "<文件不存在>");
}

TEST(DetailLines, LabelsStayWhenValuesAreEmpty) {
    const std::string path = TestFile("ver_none.dll");
    EXPECT_EQ(Lines(MakeItem(path)), (std::vector<Line>{
                                         {100, 10, "文件 : " + path},
                                         {100, 30, "版本: "},
                                         {100, 50, "描述: "},
                                         {100, 70, "公司: "},
                                     }));
}

// A correctly quoted path runs its quoted file, whatever a prefix of it names: a file planted where
// the unquoted text would first find one ("...\\Foo.exe" for "...\\Foo Bar\\svc.exe") is not shown.
// The file line shows the path as rewritten, without its quotes, as before.
TEST(DetailLines, AQuotedPathIsProbedAtItsQuotedFileNotAtAPlantedPrefix) {
    const std::string files = TestExeFolder() + "\\files\\";
    CreateDirectoryA((files + "Foo Bar").c_str(), nullptr);
    const std::string real = files + "Foo Bar\\svc.exe";
    const std::string planted = files + "Foo.exe";
    ASSERT_TRUE(CopyFileA(TestFile("ver_plain.dll").c_str(), real.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(TestFile("ver_none.dll").c_str(), planted.c_str(), FALSE));
    FakeSystem fake;
    fake.AddService(kServiceTypeWin32, "Quoted", "\"" + real + "\" -run");
    CServiceList catalogue(fake, fake);
    catalogue.Reload();
    const SERVICE_ITEM* item = catalogue.Find("Quoted");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(Lines(*item), (std::vector<Line>{
                                {100, 10, "文件 : " + real + " -run"},
                                {100, 30, "版本: 65535.0.12.345"},
                                {100, 50, "描述: 服务版本测试文件"},
                                {100, 70, "公司: Orvane 测试公司"},
                            }));
    // The same text unquoted is a command line whose first file is the planted one.
    EXPECT_EQ(std::get<2>(Lines(MakeItem(real + " -run"))[1]), "版本: ");
    DeleteFileA(planted.c_str());
}

// Paints the pane as a WM_ERASEBKGND and WM_PAINT would, into a memory canvas, with the fonts of a
// window at dpi (96 unless a test says otherwise).
class DetailPaint : public ::testing::Test {
protected:
    explicit DetailPaint(int dpi = kStandardDpi)
        : dpi_(dpi), title_(CreateDetailTitleFont(dpi)), text_(CreateDetailTextFont(dpi)) {}
    void Paint(MemoryCanvas& canvas, const SERVICE_ITEM* item) {
        RECT client = canvas.rect();
        PaintDetailBackground(canvas.dc(), client);
        PaintDetail(canvas.dc(), client, DetailStyle{dpi_, title_.Get(), text_.Get()}, item,
                    item ? ProbeServiceFile(*item) : ServiceFileFacts());
    }
    int dpi_;
    UniqueFont title_;
    UniqueFont text_;
};

TEST_F(DetailPaint, EmptyPaneShowsBackgroundStripAndHeadingOnly) {
    MemoryCanvas canvas(400, 120, kMagenta);
    Paint(canvas, nullptr);
    EXPECT_TRUE(canvas.AllOf({30, 0, 400, 120}, kDetailBackground));
    EXPECT_TRUE(canvas.AllOf({0, 0, 30, 4}, kDetailBackground));       // first band
    EXPECT_TRUE(canvas.AllOf({0, 116, 30, 120}, RGB(254, 254, 255)));  // last band
    // Apart from the heading, the strip is the plain gradient. The heading reads upward from
    // (7, 116), its 16-pixel cell right of x = 7.
    MemoryCanvas strip(400, 120, kDetailBackground);
    FillGradientRect(strip.dc(), 0, 0, 30, 120, kDetailBackground, RGB(255, 255, 255), true);
    int ink = 0, stray = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 30; ++x) {
            if (canvas.At(x, y) == strip.At(x, y))
                continue;
            ++ink;
            if (x < 7 || x >= 7 + 16 || y >= 116)
                ++stray;
        }
    }
    EXPECT_GT(ink, 40);
    EXPECT_EQ(stray, 0);
}

TEST_F(DetailPaint, RecordAddsIconAndText) {
    MemoryCanvas canvas(500, 120, kMagenta);
    SERVICE_ITEM item = MakeItem(TestFile("ver_plain.dll"));
    Paint(canvas, &item);
    EXPECT_GT(canvas.CountOther({60, 10, 92, 42}, kDetailBackground), 100);  // icon 140
    EXPECT_TRUE(canvas.AllOf({30, 0, 60, 120}, kDetailBackground));
    EXPECT_TRUE(canvas.AllOf({60, 42, 100, 120}, kDetailBackground));
    for (int y : {10, 30, 50, 70}) {
        EXPECT_GT(canvas.CountOther({100, y, 500, y + 16}, kDetailBackground), 20) << y;
    }
    EXPECT_TRUE(canvas.AllOf({100, 90, 500, 120}, kDetailBackground));  // no fifth line
}

TEST_F(DetailPaint, MissingFileShowsTwoLines) {
    MemoryCanvas canvas(500, 120, kMagenta);
    SERVICE_ITEM item = MakeItem("C:\\nowhere\\missing.exe");
    Paint(canvas, &item);
    EXPECT_GT(canvas.CountOther({100, 30, 500, 46}, kDetailBackground), 20);
    EXPECT_TRUE(canvas.AllOf({100, 50, 500, 120}, kDetailBackground));
}

}  // namespace

namespace {

// The pane at 100, 150 and 200 %, at its height in the frame: the strip, the heading in its font,
// the icon (from the resource's image of that size) and the text's place scaled.
class DetailPaintScaled : public DetailPaint, public ::testing::WithParamInterface<int> {
protected:
    DetailPaintScaled() : DetailPaint(GetParam()) {}
    int S(int pixels) const { return ScaleToDpi(pixels, dpi_); }
};

TEST_P(DetailPaintScaled, StripHeadingIconAndTextScale) {
    // The pane's height in the frame: its row less the splitter's bar and the two borders.
    const int height = S(120) - S(7) - 2 * S(2);
    const int width = S(500);
    MemoryCanvas canvas(width, height, kMagenta);
    const std::string host = "C:\\windows\\system32\\svchost.exe -k netsvcs";
    SERVICE_ITEM item = MakeItem(host, TestFile("ver_plain.dll"));
    Paint(canvas, &item);

    MemoryCanvas strip(S(30), height, kDetailBackground);
    FillGradientRect(strip.dc(), 0, 0, S(30), height, kDetailBackground, RGB(255, 255, 255), true);
    int heading = 0, stray = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < S(30); ++x) {
            if (canvas.At(x, y) == strip.At(x, y))
                continue;
            ++heading;
            if (x < S(7) || x >= S(7) + S(16) || y >= height - S(4))
                ++stray;
        }
    }
    EXPECT_GT(heading, S(40));
    EXPECT_EQ(stray, 0);
    EXPECT_NE(canvas.At(S(30) - 1, height / 2), kDetailBackground);  // the strip is S(30) wide
    EXPECT_TRUE(canvas.AllOf({S(30), 0, S(60), height}, kDetailBackground));

    EXPECT_GT(canvas.CountOther({S(60), S(10), S(92), S(42)}, kDetailBackground), S(32) * S(8));
    EXPECT_TRUE(canvas.AllOf({S(60), S(42), S(100), height}, kDetailBackground));

    // The lines themselves: tests/window/scale_test.cpp, in the pane of the running frame.
    EXPECT_GT(canvas.CountOther({S(100), S(10), width, height}, kDetailBackground), S(100));
}

INSTANTIATE_TEST_SUITE_P(Scales, DetailPaintScaled, ::testing::Values(96, 144, 192));

}  // namespace

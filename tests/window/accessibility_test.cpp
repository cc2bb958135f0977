// The detail pane as a screen reader finds it, read from a second process through
// AccessibleObjectFromWindow: a read-only text named by the pane's heading whose value is its lines
// in the order painted, current as soon as a record arrives, with a value-change event for those
// that listen.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "res/resource.h"
#include "tests/support/sample_frame_test.h"
#include "views/detail_paint.h"

namespace {

struct Reading {
    std::string name;
    int role = 0;
    bool readOnly = false;
    std::string value;
};

Reading ReadAsScreenReader(HWND hwnd) {
    std::string output;
    const std::string command = ProgramBesideTest("accessible_reader.exe") + " " +
                                std::to_string(reinterpret_cast<uintptr_t>(hwnd));
    EXPECT_EQ(RunWhilePumping(command, output), 0);
    Reading reading;
    size_t first = output.find('\n');
    size_t second = output.find('\n', first + 1);
    size_t third = output.find('\n', second + 1);
    if (third == std::string::npos)
        return reading;
    reading.name = output.substr(0, first);
    reading.role = std::stoi(output.substr(first + 1, second - first - 1));
    reading.readOnly = output.substr(second + 1, third - second - 1) == "read-only";
    reading.value = output.substr(third + 1);
    return reading;
}

// The lines the pane paints for its record, from the facts it read of its file, one a line.
std::string PaintedLines(const CDetailView& detail) {
    DetailLines lines;
    LayoutDetailLines(*detail.Service(), detail.Facts(), lines);
    std::string text;
    for (int i = 0; i < lines.count; ++i)
        text += (i ? "\r\n" : "") + std::string(lines.line[i].text);
    return text;
}

int valueChanges = 0;
HWND valueChangedWindow = nullptr;

void CALLBACK OnValueChange(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD,
                            DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) {
        ++valueChanges;
        valueChangedWindow = hwnd;
    }
}

using DetailAccessibility = SampleFrameTest;

TEST_F(DetailAccessibility, AScreenReaderReadsTheHeadingAndThePaintedLines) {
    CDetailView& detail = frame_->Detail();
    Reading empty = ReadAsScreenReader(detail.Handle());
    EXPECT_EQ(empty.name, "详细信息");
    EXPECT_EQ(empty.role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(empty.readOnly);
    EXPECT_EQ(empty.value, "");

    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, OnValueChange,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    valueChanges = 0;
    frame_->SelectService("LocalSvc");
    Pump();
    UnhookWinEvent(hook);
    ASSERT_NE(detail.Service(), nullptr);
    EXPECT_GE(valueChanges, 1);
    EXPECT_EQ(valueChangedWindow, detail.Handle());

    const std::string lines = PaintedLines(detail);
    EXPECT_EQ(lines.find("文件 : "), 0u);
    EXPECT_NE(lines.find("\r\n"), std::string::npos);
    Reading shown = ReadAsScreenReader(detail.Handle());
    EXPECT_EQ(shown.name, "详细信息");
    EXPECT_EQ(shown.value, lines);

    // Another record: the next reading has its lines, with all five when its DLL has a version.
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SERVICE_ITEM item = *detail.Service();
    CopyText(item.ServiceDll, sizeof item.ServiceDll, self);
    detail.SetService(&item);
    Reading five = ReadAsScreenReader(detail.Handle());
    EXPECT_EQ(five.value, PaintedLines(detail));
    EXPECT_NE(five.value.find("\r\nDll: " + std::string(self) + "\r\n版本: "), std::string::npos);

    frame_->Command(ID_REFRESH);  // the details are cleared
    EXPECT_EQ(ReadAsScreenReader(detail.Handle()).value, "");
}

// The reading is what the pane paints: its file's facts as read when the record arrived, not the
// file as it is when the screen reader asks.
TEST_F(DetailAccessibility, TheReadingIsTheFactsReadWhenTheRecordArrived) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string copy = std::string(folder) + "orvane_accessible_facts.dll";
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    CDetailView& detail = frame_->Detail();
    frame_->SelectService("LocalSvc");
    ASSERT_NE(detail.Service(), nullptr);
    SERVICE_ITEM item = *detail.Service();
    CopyText(item.ServiceDll, sizeof item.ServiceDll, copy.c_str());
    detail.SetService(&item);
    ASSERT_TRUE(DeleteFileA(copy.c_str()));

    const std::string read = ReadAsScreenReader(detail.Handle()).value;
    EXPECT_EQ(read, PaintedLines(detail));
    EXPECT_NE(read.find("\r\n版本: "), std::string::npos);  // the file is gone; its facts are not
    detail.SetService(&item);                               // read again: no file now
    EXPECT_EQ(ReadAsScreenReader(detail.Handle()).value.find("版本"), std::string::npos);
}

}  // namespace

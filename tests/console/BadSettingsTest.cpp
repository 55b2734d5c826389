// A settings file the console did not write: garbage, huge numbers, endless
// lines, bytes of another code page, or one it cannot write. Every dialog
// that reads it still opens, nothing crashes, and a file that refuses writes
// is never changed.
#include <gtest/gtest.h>

#include "ConsoleFlow.h"

using namespace flow;
using testing_support::ReadFileText;

namespace {

// The dialogs that preset themselves from the settings file.
const struct {
    int id;
    const wchar_t* caption;
} kReaders[] = {
    {IDC_DEV_OPEN, L"vrxDevOpen"},
    {IDC_DEV_PRINT, L"vrxDevPrint"},
    {IDC_DEV_BLANK_PRINT, L"vrxDevBlankPrint"},
    {IDC_DEV_GET_PROFILE, L"vrxDevGetProfile"},
};

std::string Garbage() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 7919) & 0xFF);
    return bytes;
}

const struct {
    const char* name;
    std::string content;
} kFiles[] = {
    {"garbage", Garbage()},
    {"huge numbers", "[Setting]\r\nPaperWidth=99999999999999999999\r\nResolution=-99999999999\r\nIPAddress1=4096\r\n"
                     "ImageFormat=2147483647\r\nCms=70000\r\nFeed=-2\r\n[KORVALEN]\r\nMaintenance=99999999999\r\n"},
    {"endless lines", "[Setting]\r\nName=" + std::string(200000, 'n') + "\r\nProfName=" + std::string(100000, 'p') +
                          "\r\nPaperName=" + std::string(70000, 'x') + "\r\n"},
    {"other code page", "[Setting]\r\nPaperName=\x82\xA0\xFF\xFE\x80\r\nProfPath=C:\\\x93\xfa\x96\x7b\\\x81\r\n"},
    {"no sections", "PaperWidth=100\r\n=\r\n[\r\n]]\r\n[Setting\r\n"},
};

class BadSettings : public ::testing::Test {
protected:
    void TearDown() override { m_console.Exit(); }
    ConsoleProcess m_console;
};

}  // namespace

TEST_F(BadSettings, EveryDialogStillOpensAndCancelChangesNothing) {
    for (const auto& file : kFiles) {
        SCOPED_TRACE(file.name);
        ConsoleProcess console;
        console.WriteFile("VrxClient.ini", file.content);
        ASSERT_TRUE(console.Start());
        for (const auto& reader : kReaders) {
            HWND dialog = console.PressForDialog(reader.id, reader.caption);
            ASSERT_NE(dialog, nullptr) << ConsoleProcess::Narrow(reader.caption);
            ASSERT_TRUE(console.CloseDialog(dialog, IDCANCEL));
        }
        EXPECT_TRUE(console.Exit()) << "the console ends normally";
        EXPECT_EQ(ReadFileText(console.Folder().File("VrxClient.ini")), file.content);
    }
}

// (A read-only attribute cannot stand in here: Wine maps it to file modes,
// which root, as the tests run, may ignore. A file that another program
// holds without sharing refuses the writes just the same.)
TEST_F(BadSettings, AFileThatCannotBeWrittenIsNeverChangedAndTheOldValuesComeBack) {
    const std::string content = "[Setting]\r\nProfName=old name\r\nProfPaperWidth=1524\r\n";
    m_console.WriteFile("VrxClient.ini", content);
    const std::string path = m_console.Folder().File("VrxClient.ini");
    ASSERT_TRUE(m_console.Start());
    HWND dialog = m_console.PressForDialog(IDC_DEV_GET_PROFILE, L"vrxDevGetProfile");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_PROF_PAPER_NAME)), "old name");
    Type(dialog, IDC_PROF_PAPER_NAME, L"new name");
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(m_console.CloseDialog(dialog));  // the writes fail quietly
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(path), content);
    dialog = m_console.PressForDialog(IDC_DEV_GET_PROFILE, L"vrxDevGetProfile");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_PROF_PAPER_NAME)), "old name");
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(dialog, IDC_PROF_PAPER_WIDTH)), "1524");
    ASSERT_TRUE(m_console.CloseDialog(dialog, IDCANCEL));
}

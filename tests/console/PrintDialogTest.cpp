// The print dialog in process: its pages and tabs in both modes, what it
// stores into the print request, the order of its checks across pages, and
// the image chooser's probe answered through the real file chooser.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <thread>

#include "PrintDialogs.h"
#include "TestFolder.h"
#include "Text.h"
#include "ThreadWindows.h"
#include "resource.h"

using testing_support::DismissThreadMessageBox;

namespace {

class PrintDialog : public ::testing::Test {
protected:
    void Open(uint32_t mode) {
        m_request.info.dwPrintNum = 1;
        m_dialog.m_repeatCount = 1;
        m_dialog.m_mode = mode;
        m_dialog.m_block = &m_request;
        ASSERT_NE(m_dialog.CreateModeless(nullptr), nullptr);
        ShowWindow(m_dialog.Handle(), SW_SHOWNA);  // a page is visible only inside a visible dialog
    }
    void TearDown() override { m_dialog.Destroy(); }

    HWND Page(const char* title) const {
        for (const auto& page : m_dialog.Pages())
            if (page->GetPageTitle() == title) return page->Handle();
        return nullptr;
    }
    void SelectTab(int index) {
        HWND tab = m_dialog.Item(IDC_PRINT_TAB);
        SendMessageW(tab, TCM_SETCURSEL, index, 0);
        NMHDR change{tab, IDC_PRINT_TAB, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(m_dialog.Handle(), WM_NOTIFY, IDC_PRINT_TAB, reinterpret_cast<LPARAM>(&change));
    }
    std::vector<std::string> TabTitles() const {
        ui::Tab tab;
        tab.Attach(m_dialog.Item(IDC_PRINT_TAB));
        std::vector<std::string> titles;
        for (int i = 0; i < tab.GetItemCount(); ++i) titles.push_back(tab.GetItemText(i));
        return titles;
    }
    std::string PressOkExpectingRefusal() { return testing_support::PressAnsweringMessageBox(m_dialog.Handle()); }

    PrintRequest m_request;
    CDevPrintDlg m_dialog;
};

using Titles = std::vector<std::string>;

}  // namespace

TEST_F(PrintDialog, PlainModeHasTwoPagesAndOnlyTheSelectedOneShowsAndTakesInput) {
    Open(0);
    EXPECT_EQ(TabTitles(), (Titles{"BASIC", "EXTEND"}));
    EXPECT_EQ(ui::GetText(m_dialog.Handle()), "vrxDevPrint");
    for (int tab : {1, 0, 1}) {
        SelectTab(tab);
        EXPECT_EQ(IsWindowVisible(Page("BASIC")) != FALSE, tab == 0);
        EXPECT_EQ(IsWindowEnabled(Page("BASIC")) != FALSE, tab == 0);
        EXPECT_EQ(IsWindowVisible(Page("EXTEND")) != FALSE, tab == 1);
        EXPECT_EQ(IsWindowEnabled(Page("EXTEND")) != FALSE, tab == 1);
    }
}

TEST_F(PrintDialog, ColourCommandModeAddsItsPageAndCaptionAndStoresAPriorityOfTheTable) {
    m_request.priority = 5;  // not in the table
    Open(1);
    EXPECT_EQ(TabTitles(), (Titles{"BASIC", "EXTEND", "KOLMXML"}));
    EXPECT_EQ(ui::GetText(m_dialog.Handle()), "DevPrintKolmXml");
    EXPECT_EQ(SendDlgItemMessageW(Page("KOLMXML"), IDC_KOLM_PRIORITY, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageW(m_dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(m_request.priority, 0) << "none chosen: the normal priority";
}

TEST_F(PrintDialog, TheExtendPageShowsTheBorderColourAndKeepsTheLow16BitsOfPcfms) {
    m_request.info.byWithBorderColor[0] = 255;
    Open(0);
    EXPECT_EQ(ui::GetText(GetDlgItem(Page("EXTEND"), IDC_EXTEND_BORDER_COLOR)), "R=255 G=000 B=000");
    SetDlgItemTextW(Page("EXTEND"), IDC_EXTEND_PCFMS, L"70000");
    SendDlgItemMessageW(Page("EXTEND"), IDC_EXTEND_ANGLE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextW(m_dialog.Handle(), IDC_PRINT_REPEAT_COUNT, L"100");
    SendMessageW(m_dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(m_request.info.nPcfms, 70000 - 65536);
    EXPECT_EQ(m_request.info.wAngle, 0xFFFF) << "no selection stores all bits set";
    EXPECT_EQ(m_dialog.m_repeatCount, 100u);
}

TEST(PrintPages, EveryPageTemplateIs310By318DialogUnits) {
    for (int id : {IDD_PRINT_BASIC, IDD_PRINT_EXTEND, IDD_PRINT_KOLMXML}) {
        SCOPED_TRACE(id);
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
        ASSERT_NE(found, nullptr);
        const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_GE(SizeofResource(nullptr, found), 26u);
        // DLGTEMPLATEEX: version 1, signature 0xFFFF, then cx and cy at bytes 22 and 24.
        int16_t cx = 0, cy = 0;
        std::memcpy(&cx, bytes + 22, 2);
        std::memcpy(&cy, bytes + 24, 2);
        EXPECT_EQ(bytes[2] | bytes[3] << 8, 0xFFFF);
        EXPECT_EQ(cx, 310);
        EXPECT_EQ(cy, 318);
    }
}

TEST_F(PrintDialog, PagesAreCheckedInOrderAndTheRefusedOneIsShown) {
    Open(0);
    SetDlgItemTextW(Page("EXTEND"), IDC_EXTEND_BORDER_TOP, L"1001");
    SetDlgItemTextW(Page("BASIC"), IDC_BASIC_PRINT_NUM, L"0");
    SetDlgItemTextW(Page("BASIC"), IDC_BASIC_CVP_POINT2, L"1001");  // checked before dwPrintNum
    SelectTab(1);
    EXPECT_EQ(PressOkExpectingRefusal(), "Enter an integer between 0 and 1000.");
    EXPECT_TRUE(IsWindowVisible(Page("BASIC"))) << "the refused field's page comes to the front";
    EXPECT_EQ(GetFocus(), GetDlgItem(Page("BASIC"), IDC_BASIC_CVP_POINT2));
    SetDlgItemTextW(Page("BASIC"), IDC_BASIC_CVP_POINT2, L"0");
    EXPECT_EQ(PressOkExpectingRefusal(), "Enter an integer between 1 and 10000.");
    SetDlgItemTextW(Page("BASIC"), IDC_BASIC_PRINT_NUM, L"1");
    EXPECT_EQ(PressOkExpectingRefusal(), "Enter an integer between 0 and 1000.");
    EXPECT_TRUE(IsWindowVisible(Page("EXTEND")));
    EXPECT_TRUE(IsWindow(m_dialog.Handle()));
}

namespace {

// Bytes of the test images: a bitmap's two headers, a JPEG's frame.
std::string Bitmap(int32_t width, int32_t height) {
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    std::memcpy(&bytes[18], &width, 4);
    std::memcpy(&bytes[22], &height, 4);
    return bytes;
}
const std::string kJpeg("\xFF\xD8\xFF\xC0\x00\x11\x08\x01\xE0\x02\x80\x03\x00\x00\x00\x00\xFF\xD9", 18);

struct ChosenImage {
    const char* file;
    std::string bytes;
    const char* length;
    const char* width;
    const char* height;
};

}  // namespace

TEST_F(PrintDialog, TheImageChooserProbesTheChosenFile) {
    testing_support::TestFolder folder;
    const ChosenImage images[] = {
        {"PHOTO.BMP", Bitmap(640, 480), "54", "640", "480"},
        {"topdown.bmp", Bitmap(320, -200), "54", "320", "200"},
        {"frame.jpg", kJpeg, "18", "640", "480"},
        {"frame.jpeg", kJpeg, "18", "0", "0"},
    };
    Open(0);
    HWND basic = Page("BASIC");
    for (const ChosenImage& image : images) {
        SCOPED_TRACE(image.file);
        const std::string path = folder.File(image.file);
        testing_support::WriteFileText(path, image.bytes);
        const DWORD self = GetCurrentThreadId();
        std::thread operatorThread([&] {
            HWND chooser = testing_support::WaitForThreadWindow(self, L"Open");
            ASSERT_NE(chooser, nullptr);
            // The file name field of either chooser layout.
            for (int id : {0x47C, 0x480}) SetDlgItemTextW(chooser, id, ui::Widen(path).c_str());
            PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        SendMessageW(basic, WM_COMMAND, MAKEWPARAM(IDC_BASIC_CHOOSE_IMAGE, BN_CLICKED), 0);
        operatorThread.join();
        EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_IMAGE_NAME)), path);
        EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_DATA_LENGTH)), image.length);
        EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_IMG_WIDTH)), image.width);
        EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_IMG_HEIGHT)), image.height);
    }
}

TEST_F(PrintDialog, AnImageThatCannotBeReadIsNamedAndChangesNothing) {
    testing_support::TestFolder folder;
    const std::string missing = folder.File("gone.jpg");
    m_request.imageName = "C:\\before.jpg";
    m_request.info.dwDataLength = 77;
    Open(0);
    HWND basic = Page("BASIC");
    const DWORD self = GetCurrentThreadId();
    std::string message;
    std::thread operatorThread([&] {
        HWND chooser = testing_support::WaitForThreadWindow(self, L"Open");
        ASSERT_NE(chooser, nullptr);
        for (int id : {0x47C, 0x480}) SetDlgItemTextW(chooser, id, ui::Widen(missing).c_str());
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        message = DismissThreadMessageBox(self);
    });
    SendMessageW(basic, WM_COMMAND, MAKEWPARAM(IDC_BASIC_CHOOSE_IMAGE, BN_CLICKED), 0);
    operatorThread.join();
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_IMAGE_NAME)), "C:\\before.jpg");
    EXPECT_EQ(ui::GetText(GetDlgItem(basic, IDC_BASIC_DATA_LENGTH)), "77");
}

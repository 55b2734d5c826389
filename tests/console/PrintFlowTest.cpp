// Printing driven through the real console window against the stand-in
// library: shared-memory buffers and file paths, the remembered keys, the
// orders that are followed, re-send and the end of a retransmission.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "ConsoleFlow.h"
#include "ThreadWindows.h"

using namespace flow;
using testing_support::ReadFileText;

namespace {

uint32_t Fnv1a(const std::string& bytes) {
    uint32_t hash = 2166136261u;
    for (unsigned char c : bytes) hash = (hash ^ c) * 16777619u;
    return hash;
}

// A path as the journal quotes it: backslashes doubled.
std::string Quoted(const std::string& path) {
    std::string quoted = "\"";
    for (char c : path) quoted += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return quoted + "\"";
}

class PrintFlow : public ConsoleFlow {
protected:
    void SetUp() override {
        ConsoleFlow::SetUp();
        m_image = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20) +
                  std::string(3000, '\x5A') + "\xFF\xD9";
        m_console.WriteFile("image.jpg", m_image);
    }
    std::string ImagePath() const { return m_console.Folder().File("image.jpg"); }

    // "vrxDevPrint" confirmed after `edit` on the BASIC page and the repeat count.
    void Print(const std::function<void(HWND page, HWND dialog)>& edit) {
        HWND dialog = m_console.PressForDialog(IDC_DEV_PRINT, L"vrxDevPrint");
        ASSERT_NE(dialog, nullptr);
        HWND basic = GetParent(testing_support::FindField(dialog, IDC_BASIC_IMAGE_NAME));
        ASSERT_NE(basic, nullptr);
        edit(basic, dialog);
        ASSERT_TRUE(m_console.CloseDialog(dialog));
    }
    // The image by file path or through shared memory, `repeat` times.
    void PrintImage(int sourceType, const wchar_t* repeat) {
        Print([&](HWND page, HWND dialog) {
            Choose(page, IDC_BASIC_SOURCE_TYPE, sourceType);
            SetDlgItemTextA(page, IDC_BASIC_IMAGE_NAME, ImagePath().c_str());
            Type(page, IDC_BASIC_DATA_LENGTH, std::to_wstring(m_image.size()).c_str());
            Type(dialog, IDC_PRINT_REPEAT_COUNT, repeat);
        });
    }
    // Prints waiting (the printer stopped) or finished (printing until done).
    void StopPrinting() {
        HWND dialog = m_console.PressForDialog(IDC_DEV_CTRL_PRINT, L"vrxDevCtrlPrint");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(m_console.CloseDialog(dialog));  // "0 : STOP"
    }
    bool WaitForCompletions(size_t count) {
        return ConsoleProcess::WaitUntil([&] {
            size_t done = 0;
            for (const std::string& line : m_console.TraceOf("VRXCOMPLETIONPROC"))
                done += line.find("dwStatus=RESULT_TRANSFER") != std::string::npos;
            return done >= count;
        });
    }
    std::vector<std::string> Prints() const { return m_console.Journal("vrxDevPrint"); }

    std::string m_image;
};

}  // namespace

TEST_F(PrintFlow, SharedMemoryPrintsMakeOneNumberedBufferEachHoldingTheFileUnchanged) {
    const uint32_t order = StartOrder();
    PrintImage(1, L"2");  // file paths make no buffer: numbering starts at 001 below
    PrintImage(0, L"3");
    const auto prints = Prints();
    ASSERT_EQ(prints.size(), 5u);
    for (size_t i = 0; i < prints.size(); ++i) {
        SCOPED_TRACE(prints[i]);
        const std::string name = i < 2 ? Quoted(ImagePath()) : "\"VRXCLIENT_MAPPING_00" + std::to_string(i - 1) + "\"";
        EXPECT_EQ(FieldOf(prints[i], "pName"), name);
        EXPECT_EQ(FieldOf(prints[i], "dwSourceType"), i < 2 ? "1" : "0");
        EXPECT_EQ(FieldOf(prints[i], "dwOrderId"), Hex(order));
        EXPECT_EQ(FieldOf(prints[i], "imageSum"), Hex(Fnv1a(m_image))) << "the library read the file's bytes";
        EXPECT_NE(prints[i].find("result=1("), std::string::npos);
    }
}

TEST_F(PrintFlow, TheMaintenanceFormatIsSentAsItsValueAndRememberedAsItsIndex) {
    m_console.WriteFile("VrxClient.ini", std::string(kMaintenanceOn) + "Maintenance=1\r\n");
    Print([](HWND page, HWND) {
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_BASIC_IMAGE_FORMAT, CB_GETCOUNT, 0, 0), 17);
        Choose(page, IDC_BASIC_IMAGE_FORMAT, 15);
    });
    EXPECT_EQ(FieldOf(Prints().back(), "dwImageFormat"), "100");
    EXPECT_NE(ReadFileText(m_console.Folder().File("VrxClient.ini")).find("ImageFormat=15\r\n"), std::string::npos);

    // Remembered as 15 with the switch off: nothing selected, and -1 stored.
    m_console.WriteFile("VrxClient.ini", std::string(kMaintenanceOn) + "[Setting]\r\nImageFormat=15\r\n");
    Print([](HWND page, HWND) {
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_BASIC_IMAGE_FORMAT, CB_GETCOUNT, 0, 0), 15);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_BASIC_IMAGE_FORMAT, CB_GETCURSEL, 0, 0), CB_ERR);
    });
    EXPECT_EQ(FieldOf(Prints().back(), "dwImageFormat"), "4294967295");
    EXPECT_NE(ReadFileText(m_console.Folder().File("VrxClient.ini")).find("ImageFormat=-1\r\n"), std::string::npos);
}

// 16-bit keys hold the field's low 16 bits, so the dialog's own checks see
// what the file says: -1 is no quality chosen and a border it refuses.
TEST_F(PrintFlow, SixteenBitKeysKeepTheirLow16BitsAndTheDialogJudgesThem) {
    m_console.WriteFile("VrxClient.ini", std::string(kMaintenanceOn) +
                                             "[Setting]\r\nPrintQuality=-1\r\nWbTop=-1\r\nWbBottom=65536\r\nEdge=65537\r\n");
    HWND dialog = m_console.PressForDialog(IDC_DEV_PRINT, L"vrxDevPrint");
    ASSERT_NE(dialog, nullptr);
    HWND extend = GetParent(testing_support::FindField(dialog, IDC_EXTEND_BORDER_TOP));
    ASSERT_NE(extend, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(extend, IDC_EXTEND_PRINT_QUALITY, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(extend, IDC_EXTEND_BORDER_TOP)), "65535");
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(extend, IDC_EXTEND_BORDER_BOTTOM)), "0");
    EXPECT_EQ(SendDlgItemMessageW(extend, IDC_EXTEND_EDGE, CB_GETCURSEL, 0, 0), 1);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(m_console.DismissMessageBox(), "Enter an integer between 0 and 1000.");
    Type(extend, IDC_EXTEND_BORDER_TOP, L"5");
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    const std::string print = OnlyCall("vrxDevPrint");
    EXPECT_EQ(FieldOf(print, "wPrintQuality"), "65535") << print;
    EXPECT_EQ(FieldOf(print, "wWithBorderTop"), "5");
    const std::string saved = ReadFileText(m_console.Folder().File("VrxClient.ini"));
    EXPECT_NE(saved.find("PrintQuality=65535\r\n"), std::string::npos) << saved;
}

TEST_F(PrintFlow, RefusedRepeatCountsAndAnUnreadableImageCallNothing) {
    for (const wchar_t* repeat : {L"0", L"101"}) {
        HWND dialog = m_console.PressForDialog(IDC_DEV_PRINT, L"vrxDevPrint");
        ASSERT_NE(dialog, nullptr);
        Type(dialog, IDC_PRINT_REPEAT_COUNT, repeat);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_EQ(m_console.DismissMessageBox(), "Enter an integer between 1 and 100.");
        ASSERT_TRUE(m_console.CloseDialog(dialog, IDCANCEL));
    }
    // Shared memory from a file that is not there: said, and nothing is sent.
    const std::string missing = m_console.Folder().File("missing.jpg");
    HWND dialog = m_console.PressForDialog(IDC_DEV_PRINT, L"vrxDevPrint");
    ASSERT_NE(dialog, nullptr);
    HWND page = GetParent(testing_support::FindField(dialog, IDC_BASIC_IMAGE_NAME));
    ASSERT_NE(page, nullptr);
    Choose(page, IDC_BASIC_SOURCE_TYPE, 0);
    SetDlgItemTextA(page, IDC_BASIC_IMAGE_NAME, missing.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    const std::string message = m_console.DismissMessageBox();
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    m_console.Sync();
    EXPECT_TRUE(Prints().empty());
    // The console is not stuck in its lock.
    m_console.Press(IDC_DEV_IS_READY);
    EXPECT_EQ(m_console.Journal("vrxDevIsReady").size(), 1u);
}

TEST_F(PrintFlow, ResendSendsTheFinishedPrintsOfTheLastOrderAgain) {
    StartOrder();
    PrintImage(1, L"2");
    ASSERT_TRUE(WaitForCompletions(2));
    HWND resend = m_console.PressForDialog(IDC_DEV_PRINT_RESEND, L"vrxDevPrint(Resend)");
    ASSERT_NE(resend, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(resend, IDCANCEL)), "ｷｬﾝｾﾙ");
    EXPECT_EQ(ListCount(resend, IDC_PICK_PRINTS), 2);
    ASSERT_TRUE(m_console.CloseDialog(resend));
    const auto prints = Prints();
    ASSERT_EQ(prints.size(), 4u);
    EXPECT_EQ(FieldOf(prints[2], "pName"), FieldOf(prints[0], "pName"));
    EXPECT_NE(FieldOf(prints[2], "*pPrintID"), FieldOf(prints[0], "*pPrintID"));

    // After a printer open nothing is followed any more: nothing to re-send.
    ASSERT_TRUE(m_console.OpenPrinter(127, 0, 0, 1));
    HWND again = m_console.PressForDialog(IDC_DEV_PRINT_RESEND, L"vrxDevPrint(Resend)");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ListCount(again, IDC_PICK_PRINTS), 0);
    ASSERT_TRUE(m_console.CloseDialog(again));
    EXPECT_EQ(Prints().size(), 4u);
}

TEST_F(PrintFlow, UnfinishedPrintsAreLeftToTheEndOfRetransmissionWhichSendsThemAgain) {
    const uint32_t order = StartOrder();
    StopPrinting();
    PrintImage(1, L"2");
    ASSERT_EQ(Prints().size(), 2u);
    // Re-send takes finished prints only: none yet.
    HWND resend = m_console.PressForDialog(IDC_DEV_PRINT_RESEND, L"vrxDevPrint(Resend)");
    ASSERT_NE(resend, nullptr);
    ASSERT_TRUE(m_console.CloseDialog(resend));
    EXPECT_EQ(Prints().size(), 2u);

    HWND end = m_console.PressForDialog(IDC_DEV_END_RETRANSMISSION, L"vrxDevEndRetransmission");
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(ConsoleProcess::TextOf(GetDlgItem(end, IDC_ORDER_ID)), std::to_string(order));
    ASSERT_TRUE(m_console.CloseDialog(end));
    EXPECT_TRUE(StartsWith(OnlyCall("vrxDevEndRetransmission"), "vrxDevEndRetransmission hPrinter=0x00A40011 dwOrderId=" + Hex(order)));
    const auto prints = Prints();
    ASSERT_EQ(prints.size(), 4u) << "both unfinished prints sent again, whatever the call said";
    EXPECT_EQ(FieldOf(prints[2], "pName"), Quoted(ImagePath()));
}

TEST_F(PrintFlow, APrintToAnOrderThisConsoleDidNotStartIsSentButNotFollowed) {
    Print([&](HWND page, HWND) {
        SetDlgItemTextA(page, IDC_BASIC_IMAGE_NAME, ImagePath().c_str());
        Type(page, IDC_BASIC_ORDER_ID, L"7");
    });
    ASSERT_EQ(Prints().size(), 1u);
    EXPECT_EQ(FieldOf(Prints()[0], "dwOrderId"), "0x00000007");
    HWND resend = m_console.PressForDialog(IDC_DEV_PRINT_RESEND, L"vrxDevPrint(Resend)");
    ASSERT_NE(resend, nullptr);
    EXPECT_EQ(ListCount(resend, IDC_PICK_PRINTS), 0);
    ASSERT_TRUE(m_console.CloseDialog(resend));
    EXPECT_EQ(Prints().size(), 1u);
}

TEST_F(PrintFlow, CancelWithEveryPrintOfTheOrderSelectedCancelsTheWholeOrder) {
    const uint32_t order = StartOrder();
    StopPrinting();
    PrintImage(1, L"2");
    HWND dialog = m_console.PressForDialog(IDC_DEV_CANCEL_PRINT_ORDER, L"vrxDevCancelPrintOrder");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ListCount(dialog, IDC_PICK_ORDERS), 1);
    EXPECT_EQ(ListCount(dialog, IDC_PICK_PRINTS), 2);
    ASSERT_TRUE(m_console.CloseDialog(dialog));
    EXPECT_TRUE(StartsWith(OnlyCall("vrxDevCancelPrintOrder"),
                           "vrxDevCancelPrintOrder hPrinter=0x00A40011 dwOrderId=" + Hex(order) + " dwPrintID=0 result=1"));
    const auto trace = m_console.TraceOf("vrxDevCancelPrintOrder");
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0], "[<==] [vrxDevCancelPrintOrder] hPrinter=0x00A40011, dwOrderId=" + Hex(order) + ", dwPrintID=0");
}

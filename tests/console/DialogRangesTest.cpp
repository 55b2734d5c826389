// Every range-checked field of every dialog, one row each: both limits are
// accepted and the values just past them refused with the range message.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DeviceDialogs.h"
#include "LibOpenDlg.h"
#include "OrderDialogs.h"
#include "PrintDialogs.h"
#include "ThreadWindows.h"
#include "resource.h"

namespace {

// The print dialog with a request every page accepts as it stands.
struct PrintDialog : CDevPrintDlg {
    PrintRequest request;
    PrintDialog() {
        request.info.dwPrintNum = 1;
        m_repeatCount = 1;
        m_block = &request;
    }
};
struct SetTimeDialog : CDevSetTimeDlg {
    SetTimeDialog() {
        m_year = 2000;
        m_month = 1;
        m_day = 1;
    }
};
struct LibOpenDialog : CLibOpenDlg {
    // "Log" off: OK then writes no file beside the test program.
    BOOL OnInitDialog() override {
        const BOOL result = CLibOpenDlg::OnInitDialog();
        CheckDlgButton(Handle(), IDC_LOG_SWITCH, BST_UNCHECKED);
        return result;
    }
};

template <class D>
std::function<std::unique_ptr<ui::Dialog>()> Make() {
    return [] { return std::make_unique<D>(); };
}
std::function<std::unique_ptr<ui::Dialog>()> OrderId(int templateId) {
    return [templateId] { return std::make_unique<COrderIdDlg>(templateId); };
}

struct Range {
    const char* dialog;
    std::function<std::unique_ptr<ui::Dialog>()> make;
    int control;
    long long low;
    long long high;
};

const long long kU32 = 4294967295LL;

const Range kRanges[] = {
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_ORDER_ID, 0, kU32},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_PRINT_NUM, 1, 10000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_SURFACE, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_DATA_LENGTH, 0, 1000000000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_PAPER_PRESENCE, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_OFFSET, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_ESPC, -999, 999},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_RESOLUTION, 0, 10000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_IMG_WIDTH, 0, 65535},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_IMG_HEIGHT, 0, 65535},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_PAPER_WIDTH, 0, 10000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_PAPER_LENGTH, 0, 10000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_INITIAL_VALUE1, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_POINT1, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_INITIAL_WIDTH1, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_INITIAL_VALUE2, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_POINT2, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_BASIC_CVP_INITIAL_WIDTH2, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_EXTEND_BORDER_TOP, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_EXTEND_BORDER_BOTTOM, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_EXTEND_BORDER_LEFT, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_EXTEND_BORDER_RIGHT, 0, 1000},
    {"vrxDevPrint", Make<PrintDialog>(), IDC_PRINT_REPEAT_COUNT, 1, 100},
    {"vrxDevStartOrder", Make<CDevStartOrderDlg>(), IDC_START_SORTER_NUM, 0, 1000},
    {"vrxDevEndOrder", OrderId(IDD_DEV_END_ORDER), IDC_ORDER_ID, 0, kU32},
    {"vrxDevSort", OrderId(IDD_DEV_SORT), IDC_ORDER_ID, 0, kU32},
    {"vrxDevExpressOrder", OrderId(IDD_DEV_EXPRESS_ORDER), IDC_ORDER_ID, 0, kU32},
    {"vrxDevStartDuplex", OrderId(IDD_DEV_START_DUPLEX), IDC_ORDER_ID, 0, kU32},
    {"vrxDevEndDuplex", OrderId(IDD_DEV_END_DUPLEX), IDC_ORDER_ID, 0, kU32},
    {"vrxDevEndRetransmission", OrderId(IDD_DEV_END_RETRANSMISSION), IDC_ORDER_ID, 0, kU32},
    {"vrxDevGetPrintStatus", Make<CDevGetPrintStatusDlg>(), IDC_PRINT_STATUS_ID, 0, 1000},
    {"vrxDevStartRetransmission", Make<CDevStartRetransmissionDlg>(), IDC_RESUME_ORDER_ID, 0, kU32},
    {"vrxGetPrinter", Make<CGetPrinterDlg>(), IDC_BUFFER_NUM, 0, 1000},
    {"vrxDevGetMagInfo", Make<CDevGetMagInfoDlg>(), IDC_INFO_NUM, 0, 1000},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_YEAR, 1980, 2079},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_MONTH, 1, 12},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_DAY, 1, 31},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_DAY_OF_WEEK, 0, 6},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_HOUR, 0, 23},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_MINUTE, 0, 59},
    {"vrxDevSetTime", Make<SetTimeDialog>(), IDC_TIME_SECOND, 0, 59},
    {"vrxSetCompletionProcMode", Make<CSetCompletionProcModeDlg>(), IDC_COMPLETION_MODE, 0, kU32},
    {"vrxDevBlankPrint", Make<CDevBlankPrintDlg>(), IDC_BLANK_ORDER_ID, 0, kU32},
    {"vrxLibOpen", Make<LibOpenDialog>(), IDC_MAXLINE, 100, 3000},
};

// What OK says after each value typed into the field, "" when it accepts
// (the dialog then closes and the next value goes into a new one).
std::vector<std::string> OkWith(const Range& range, std::initializer_list<long long> values) {
    std::vector<std::string> said;
    std::unique_ptr<ui::Dialog> dialog;
    for (long long value : values) {
        if (!dialog || !IsWindow(dialog->Handle())) {
            dialog = range.make();
            if (dialog->CreateModeless(nullptr) == nullptr) return {"no dialog"};
            ShowWindow(dialog->Handle(), SW_SHOWNA);  // a print page takes part only inside a visible dialog
        }
        HWND edit = testing_support::FindField(dialog->Handle(), range.control);
        if (edit == nullptr) return {"no such field"};
        SetWindowTextW(edit, std::to_wstring(value).c_str());
        said.push_back(testing_support::PressAnsweringMessageBox(dialog->Handle()));
        if (said.back().empty() && IsWindow(dialog->Handle())) said.back() = "accepted but left open";
    }
    dialog->Destroy();
    return said;
}

}  // namespace

TEST(DialogRanges, EveryFieldAcceptsItsLimitsAndRefusesTheValuesJustPast) {
    for (const Range& range : kRanges) {
        SCOPED_TRACE(std::string(range.dialog) + " field " + std::to_string(range.control));
        const std::string refused =
            "Enter an integer between " + std::to_string(range.low) + " and " + std::to_string(range.high) + ".";
        EXPECT_EQ(OkWith(range, {range.low - 1, range.high + 1, range.low, range.high}),
                  (std::vector<std::string>{refused, refused, "", ""}));
    }
}

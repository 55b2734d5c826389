// Parameter dialogs of the device and maintenance calls: each only collects
// values; the caller presets the members, runs it and reads them back on OK.
// Checks run in member order; the first refused field is reported.
#pragma once

#include <cstdint>
#include <string>

#include "Dialog.h"

// "vrxDevOpen": the printer's IPv4 address.
class CDevOpenDlg : public ui::Dialog {
public:
    CDevOpenDlg();
    // Packed as the IP address control packs it: first field in the highest byte.
    uint32_t m_address = 0;

    static uint32_t PackAddress(const uint8_t (&octets)[4]);
    static void UnpackAddress(uint32_t address, uint8_t (&octets)[4]);

protected:
    void Exchange(ui::DataExchange& dx) override;
    // Read back on every close, OK or Cancel: the member holds what was shown.
    void OnDestroy() override;
};

// "vrxGetPrinter": how many printer records to fetch.
class CGetPrinterDlg : public ui::Dialog {
public:
    CGetPrinterDlg();
    int32_t m_bufferNum = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevResetEvent": shows a pending event; one of four actions confirms it.
class CDevResetEventDlg : public ui::Dialog {
public:
    CDevResetEventDlg();
    std::string m_text;
    int32_t m_action = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;

private:
    void Choose(int32_t action);
};

// "vrxDevGetMagInfo", also for "vrxDevGetAllMagInfo": how many magazine
// records to fetch.
class CDevGetMagInfoDlg : public ui::Dialog {
public:
    CDevGetMagInfoDlg();
    int32_t m_infoNum = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxSetCompletionProcMode": the completion mode.
class CSetCompletionProcModeDlg : public ui::Dialog {
public:
    CSetCompletionProcModeDlg();
    uint32_t m_mode = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevCtrlPrint": stop (0) or restart (1) printing.
class CDevCtrlPrintDlg : public ui::Dialog {
public:
    CDevCtrlPrintDlg();
    int m_ctrl = 0;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevSetTime": the printer clock, each field checked on its own (31
// February passes).
class CDevSetTimeDlg : public ui::Dialog {
public:
    CDevSetTimeDlg();
    int32_t m_day = 0;
    int32_t m_dayOfWeek = 0;  // 0 Sunday
    int32_t m_hour = 0;
    int32_t m_minute = 0;
    int32_t m_month = 0;
    int32_t m_second = 0;
    int32_t m_year = 0;

protected:
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevGetProfile": the paper to profile and the file to write it to.
class CDevGetProfileDlg : public ui::Dialog {
public:
    CDevGetProfileDlg();
    int m_feed = 0;  // 0 roll, 1 sheet
    int32_t m_paperWidth = 0;
    int32_t m_surface = 0;
    std::string m_filePath;
    std::string m_paperName;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnChooseFile();
};

// "vrxDevBlankPrint": the blank print's record, field by field.
class CDevBlankPrintDlg : public ui::Dialog {
public:
    CDevBlankPrintDlg();
    uint32_t m_orderId = 0;
    int32_t m_paperLength = 0;
    std::string m_paperName;  // at most 31 bytes: the record keeps its terminator
    int32_t m_paperPresence = 0;
    int32_t m_paperWidth = 0;
    int32_t m_printNum = 0;
    int32_t m_resolution = 0;
    int32_t m_surface = 0;
    int m_feed = 0;          // 0 roll, 1 sheet
    int m_clearInk = 0;      // 0 not printed, 1 printed
    int m_printQuality = 0;  // 0 printer, 1 normal, 2 quality 1

    static constexpr size_t kPaperNameCapacity = 31;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;
};

// "vrxDevStartFAD": the order to send to the FAD unit and where it goes.
class CDevStartFadDlg : public ui::Dialog {
public:
    CDevStartFadDlg();
    uint32_t m_orderId = 0;
    int m_fadOut = -1;  // 0 printer, 1 FAD, 2 trash; -1 none chosen
    std::string m_fadFileName;
    std::string m_orderKey;

protected:
    BOOL OnInitDialog() override;
    void Exchange(ui::DataExchange& dx) override;

private:
    void OnChooseFile();
};

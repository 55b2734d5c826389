// Parameter dialogs of the device calls: each only collects values; the
// caller presets the members, runs it and reads them back on OK.
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

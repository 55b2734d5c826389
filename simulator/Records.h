// Filling the information records from a printer's configuration. Every
// named field gets a plausible value; gaps stay zero.
#pragma once

#include <string>

#include "SimClock.h"
#include "SimSettings.h"
#include "VrxSdk.h"

namespace vrxsim {

// Text into a CHAR[size] field: cut to size-1 and terminated, or, with
// unterminated set, filled to all size bytes with no terminating zero.
void PutText(char* field, size_t size, const std::string& text, bool unterminated);

void FillPrinterInfo(const PrinterConfig& p, bool unterminated, VRXPRINTERINFO& out);
// printerStatus: 1 ready, 2 error, 3 printing, 4 stopped.
void FillUnitInfo(const PrinterConfig& p, uint32_t printerStatus, bool fadBusy, VRXUNITINFO& out);
void FillMagInfo(const PrinterConfig& p, unsigned index, bool unterminated, VRXMAGINFO& out);
void FillMagDetailInfo(const PrinterConfig& p, unsigned index, bool unterminated, VRXMAGDETAILINFO& out);
void FillSetUpInfo(const PrinterConfig& p, const PrinterClock& clock, bool unterminated, VRXSETUPINFO& out);
void FillPrintNumInfo(const PrinterConfig& p, uint32_t printedThisRun, VRXPRINTNUMINFO& out);

// Image formats the simulated printers take: 0 to 14, 100 and 101.
bool IsKnownImageFormat(uint32_t format);

}  // namespace vrxsim

#include "Records.h"

#include <cstdio>
#include <cstring>

namespace vrxsim {

namespace {
struct Magazine {
    uint32_t width;  // tenths of a millimetre
    uint32_t surface;
    uint32_t remain;  // metres
    const char* surfaceName;
};
const Magazine kMagazines[kMaxMagazines] = {
    {1270, 1, 52, "GLOSSY"}, {1520, 2, 38, "MATTE"},  {2030, 1, 120, "GLOSSY"}, {2540, 3, 75, "LUSTER"},
    {890, 1, 20, "GLOSSY"},  {1020, 2, 64, "MATTE"},  {3050, 3, 41, "LUSTER"},  {2100, 1, 90, "GLOSSY"},
};
}  // namespace

void PutText(char* field, size_t size, const std::string& text, bool unterminated) {
    if (size == 0) return;
    std::memset(field, 0, size);
    if (unterminated) {
        for (size_t i = 0; i < size; ++i) field[i] = i < text.size() ? text[i] : '#';
        return;
    }
    std::memcpy(field, text.data(), text.size() < size - 1 ? text.size() : size - 1);
}

bool IsKnownImageFormat(uint32_t format) { return format <= 14 || format == 100 || format == 101; }

void FillPrinterInfo(const PrinterConfig& p, bool unterminated, VRXPRINTERINFO& out) {
    out.dwIPAddress = p.address;
    PutText(out.szMachineTypeName, sizeof out.szMachineTypeName, p.model, unterminated);
    PutText(out.szSoftName, sizeof out.szSoftName, p.softName, unterminated);
    PutText(out.szSerialNumber, sizeof out.szSerialNumber, p.serial, unterminated);
    const uint16_t resolutions[8] = {300, 600, 0, 0, 0, 0, 0, 0};
    const uint16_t wide[8] = {300, 400, 600, 1200, 0, 0, 0, 0};
    std::memcpy(out.wSupportResolutions, p.magazines > 2 ? wide : resolutions, sizeof out.wSupportResolutions);
    out.wVrxVersion = p.vrxVersion;
    std::memcpy(out.MacAddress, p.mac, 6);
}

void FillUnitInfo(const PrinterConfig& p, uint32_t printerStatus, bool fadBusy, VRXUNITINFO& out) {
    out.dwPrinterStatus = printerStatus;
    out.dwAcceptStatus = printerStatus == 2 || printerStatus == 4 ? 0 : 1;
    out.dwPrinterPossession = 1;
    out.dwAdvanceStatus = 1;
    out.dwLaserStatus = 1;
    out.dwDevelopmentStatus = 1;
    out.dwProcessorStatus = 1;
    out.dwReplenisherStatus = 1;
    out.dwReplaceCartridgeStatus = 0;
    out.dwStartUpChecksStatus = 2;  // finished
    out.dwRefillWaterStatus = 0;
    out.dwDailySetupStatus = 2;
    out.dwControlStripStatus = 1;
    out.dwMaintenanceStatus = 0;
    out.dwFadStatus = p.fad ? (fadBusy ? 2 : 1) : 0;
}

void FillMagInfo(const PrinterConfig& p, unsigned index, bool unterminated, VRXMAGINFO& out) {
    const Magazine& m = kMagazines[index % kMaxMagazines];
    out.dwWidth = m.width;
    out.dwSurface = m.surface;
    out.dwRemain = m.remain;
    out.dwFeed = index;
    out.dwPresence = 1;
    char name[64];
    std::snprintf(name, sizeof name, "MAG%u %umm %s", index + 1, m.width / 10, m.surfaceName);
    PutText(out.szName, sizeof out.szName, name, unterminated);
}

void FillMagDetailInfo(const PrinterConfig& p, unsigned index, bool unterminated, VRXMAGDETAILINFO& out) {
    const Magazine& m = kMagazines[index % kMaxMagazines];
    out.dwWidth = m.width;
    out.dwLength[0] = 890;
    out.dwLength[1] = m.width > 2000 ? 3050 : 2540;
    out.dwSurface = m.surface;
    const uint32_t resolutions[8] = {300, 600, 0, 0, 0, 0, 0, 0};
    std::memcpy(out.dwResolution, resolutions, sizeof out.dwResolution);
    out.nAllocation[0] = static_cast<int16_t>(index + 1);
    out.nAllocation[1] = -1;
    out.nAllocation[2] = -1;
    out.nAllocation[3] = -1;
    out.dwSetupStatus = 2;
    out.dwFeed = index;
    out.nWBAdjust[0] = static_cast<int16_t>(-3 + int(index));
    out.nWBAdjust[1] = 2;
    char name[32];
    std::snprintf(name, sizeof name, "%s %u", m.surfaceName, m.width / 10);
    PutText(out.szPaperName, sizeof out.szPaperName, name, unterminated);
    out.wPaperTypeCode = static_cast<uint16_t>(0x0100 + m.surface);
    out.wDirection = index % 2;
    out.wPrintQuality = 1;
    out.PaperTypeValid = 1;
    out.PaperType = static_cast<uint8_t>(m.surface);
}

void FillSetUpInfo(const PrinterConfig& p, const PrinterClock& clock, bool unterminated, VRXSETUPINFO& out) {
    PutText(out.szMachineTypeName, sizeof out.szMachineTypeName, p.model, unterminated);
    PutText(out.szSoftName, sizeof out.szSoftName, p.softName, unterminated);
    PutText(out.szSerialNumber, sizeof out.szSerialNumber, p.serial, unterminated);
    VRXPRINTERINFO info{};
    FillPrinterInfo(p, false, info);
    std::memcpy(out.wSupportResolutions, info.wSupportResolutions, sizeof out.wSupportResolutions);
    out.wVrxVersion = p.vrxVersion;
    out.wMachineTypeID = static_cast<uint16_t>(0x0700 + (p.vrxVersion >> 8));
    out.dwTotalMemory = 512u * (p.magazines + 1);
    out.dwImageSizeMinWidth = 100;
    out.dwImageSizeMinHeight = 100;
    out.dwImageSizeMaxWidth = p.magazines > 2 ? 7200 : 3600;
    out.dwImageSizeMaxHeight = p.magazines > 2 ? 10800 : 5400;
    out.dwNumberOfMagazine = static_cast<uint16_t>(p.magazines);
    clock.Fill(out.PrinterTime);
    out.dwRepeatCountMax = 999;
    for (int i = 0; i < 16; ++i) out.SupportImageFormat[i] = static_cast<int8_t>(i < 15 ? i : 100);
    out.wLaminatorUnitAttach = p.duplex ? 1 : 0;
    out.InstallationDate = VRXDATEINFO{2021, 4, 12, 0};
    out.OperationStartDate = VRXDATEINFO{2021, 5, 3, 0};
    out.wProcessorType = 2;
    out.wEmulsionNumber = static_cast<uint16_t>(400 + (p.serial.empty() ? 0 : p.serial.back() - '0'));
    PutText(out.szPrinterNickname, sizeof out.szPrinterNickname, p.nickname, unterminated);
    out.wSupportAngle = 1;
    out.wSupportIntoPrinter = 1;
    out.wSorterStatus = 1;
    out.wCvpStatus = 1;
    out.wSupportPaperFitting = 1;
    out.wSupportEdgeEnhancement = 1;
    out.wSupportWithBorder = 1;
    out.wMachinTypeForProfile = static_cast<uint16_t>(p.vrxVersion >> 8);
    for (int i = 0; i < 6; ++i) out.wPaperTypeCode[i] = static_cast<uint16_t>(0x0101 + i);
    out.wSupportCMS = 1;
    out.wSetupAlgorithm = 3;
    out.wSupportDuplex = p.duplex ? 1 : 0;
    out.dwFadAttachNo = p.fad ? 1 : 0;
}

void FillPrintNumInfo(const PrinterConfig& p, uint32_t printedThisRun, VRXPRINTNUMINFO& out) {
    out.dwSdkReserver = 1;
    out.dwFrmRatio = 100;
    out.dwReserver = 0;
    out.dwPrtNumber = printedThisRun;
    out.dwProNumber = p.totalCount / 4 + printedThisRun;
    out.dwTotalCount = p.totalCount + printedThisRun;
}

}  // namespace vrxsim

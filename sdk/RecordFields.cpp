#include "RecordFields.h"

#include <iterator>

namespace vrx {
namespace {

constexpr ArrayStyle kNoArray = {"", "", ""};
constexpr ArrayStyle kSpaced = {"{ ", ",", " }"};
constexpr ArrayStyle kTight = {"{", ",", "}"};
constexpr ArrayStyle kRange = {"{ ", " - ", " }"};
constexpr ArrayStyle kMac = {"", "-", ""};

// The offset the library's byte layout gives a field, or no build at all.
template <size_t Actual, size_t Pinned>
constexpr size_t PinnedOffset() {
    static_assert(Actual == Pinned, "a field has moved from the library's byte layout");
    return Actual;
}

// One value, or one array of values, of record T standing on the given line,
// at the offset `at` of the library's layout.
#define VRX_FIELD(T, line, member, kind, at)                                                                \
    FieldDesc {                                                                                              \
        #member, FieldKind::kind, PinnedOffset<offsetof(T, member), (at)>(), sizeof(T::member), 1, kNoArray, 0, \
            line                                                                                             \
    }
#define VRX_ARRAY(T, line, member, kind, style, at)                                                       \
    FieldDesc {                                                                                            \
        #member, FieldKind::kind, PinnedOffset<offsetof(T, member), (at)>(), sizeof(T::member[0]),         \
            sizeof(T::member) / sizeof(T::member[0]), style, 0, line                                       \
    }

// Every field lies inside the bytes its record may read, on one of its lines,
// and the lines come in order: checked when the tables compile.
template <size_t F, size_t L>
constexpr bool WellFormed(const FieldDesc (&fields)[F], const LineDesc (&)[L], size_t size) {
    size_t line = 1;
    for (size_t i = 0; i < F; ++i) {
        const FieldDesc& f = fields[i];
        if (f.count == 0 || f.offset + f.size * f.count > size) return false;
        if (f.kind == FieldKind::StatusChange && f.newOffset + f.size > size) return false;
        if (f.line < line || f.line > L) return false;
        line = f.line;
    }
    return true;
}

}  // namespace

// The sizes, and the offsets of the bytes no line shows (reserved bytes, the
// parts of the time records), pinned the same way.
#define VRX_SIZE(T, n) static_assert(sizeof(T) == (n), "size of " #T)
#define VRX_AT(T, f, off) static_assert(offsetof(T, f) == (off), "offset of " #T "." #f)

#define VRX_RECORD(name, bytes, lines, fields)                                                 \
    static_assert(WellFormed(fields, lines, bytes), "fields of " #name " leave their record"); \
    const RecordDesc name = {bytes, lines, std::size(lines), fields, std::size(fields)}

// Extra bytes of a pointer beyond 32 bits: 0 on win32, 4 on 64-bit targets.
// Only the print record holds a pointer: on 64-bit targets it takes its
// natural layout, every later field moving by the extra pointer bytes.
constexpr size_t P = sizeof(void*) - 4;

// --- Parts of records

VRX_SIZE(VRXSYSTEMTIME, 16);
VRX_AT(VRXSYSTEMTIME, wYear, 0);
VRX_AT(VRXSYSTEMTIME, wMonth, 2);
VRX_AT(VRXSYSTEMTIME, wDayOfWeek, 4);
VRX_AT(VRXSYSTEMTIME, wDay, 6);
VRX_AT(VRXSYSTEMTIME, wHour, 8);
VRX_AT(VRXSYSTEMTIME, wMinute, 10);
VRX_AT(VRXSYSTEMTIME, wSecond, 12);
VRX_AT(VRXSYSTEMTIME, wMilliseconds, 14);

VRX_SIZE(VRXTIMEINFO, 28);
VRX_AT(VRXTIMEINFO, dwYear, 0);
VRX_AT(VRXTIMEINFO, dwMonth, 4);
VRX_AT(VRXTIMEINFO, dwDay, 8);
VRX_AT(VRXTIMEINFO, dwDayofweek, 12);
VRX_AT(VRXTIMEINFO, dwHour, 16);
VRX_AT(VRXTIMEINFO, dwMinute, 20);
VRX_AT(VRXTIMEINFO, dwSecond, 24);

VRX_SIZE(VRXDATEINFO, 16);
VRX_AT(VRXDATEINFO, dwYear, 0);
VRX_AT(VRXDATEINFO, dwMonth, 4);
VRX_AT(VRXDATEINFO, dwDay, 8);
VRX_AT(VRXDATEINFO, dwReserved, 12);

// --- Records of the information calls

VRX_SIZE(VRXPRINTERINFO, 120);
VRX_AT(VRXPRINTERINFO, byReserved, 88);
constexpr LineDesc kPrinterInfoLines[] = {{"pPrinterInfo[", "]={ ", " }"}};
constexpr FieldDesc kPrinterInfoFields[] = {
    VRX_FIELD(VRXPRINTERINFO, 1, dwIPAddress, IpAddress, 0),
    VRX_FIELD(VRXPRINTERINFO, 1, szMachineTypeName, Text, 4),
    VRX_FIELD(VRXPRINTERINFO, 1, szSoftName, Text, 24),
    VRX_FIELD(VRXPRINTERINFO, 1, szSerialNumber, Text, 44),
    VRX_ARRAY(VRXPRINTERINFO, 1, wSupportResolutions, Unsigned, kSpaced, 64),
    VRX_FIELD(VRXPRINTERINFO, 1, wVrxVersion, Hex16, 80),
    VRX_ARRAY(VRXPRINTERINFO, 1, MacAddress, HexByte, kMac, 82),
};
VRX_RECORD(kPrinterInfoRecord, sizeof(VRXPRINTERINFO), kPrinterInfoLines, kPrinterInfoFields);

VRX_SIZE(VRXUNITINFO, 84);
VRX_AT(VRXUNITINFO, byReserved, 60);
constexpr LineDesc kUnitInfoLines[] = {{"pUnitInfo{ ", nullptr, " }"}};
constexpr FieldDesc kUnitInfoFields[] = {
    VRX_FIELD(VRXUNITINFO, 1, dwPrinterStatus, Unsigned, 0),
    VRX_FIELD(VRXUNITINFO, 1, dwAcceptStatus, Unsigned, 4),
    VRX_FIELD(VRXUNITINFO, 1, dwPrinterPossession, Unsigned, 8),
    VRX_FIELD(VRXUNITINFO, 1, dwAdvanceStatus, Unsigned, 12),
    VRX_FIELD(VRXUNITINFO, 1, dwLaserStatus, Unsigned, 16),
    VRX_FIELD(VRXUNITINFO, 1, dwDevelopmentStatus, Unsigned, 20),
    VRX_FIELD(VRXUNITINFO, 1, dwProcessorStatus, Unsigned, 24),
    VRX_FIELD(VRXUNITINFO, 1, dwReplenisherStatus, Unsigned, 28),
    VRX_FIELD(VRXUNITINFO, 1, dwReplaceCartridgeStatus, Unsigned, 32),
    VRX_FIELD(VRXUNITINFO, 1, dwStartUpChecksStatus, Unsigned, 36),
    VRX_FIELD(VRXUNITINFO, 1, dwRefillWaterStatus, Unsigned, 40),
    VRX_FIELD(VRXUNITINFO, 1, dwDailySetupStatus, Unsigned, 44),
    VRX_FIELD(VRXUNITINFO, 1, dwControlStripStatus, Unsigned, 48),
    VRX_FIELD(VRXUNITINFO, 1, dwMaintenanceStatus, Unsigned, 52),
    VRX_FIELD(VRXUNITINFO, 1, dwFadStatus, Unsigned, 56),
};
VRX_RECORD(kUnitInfoRecord, sizeof(VRXUNITINFO), kUnitInfoLines, kUnitInfoFields);

VRX_SIZE(VRXMAGINFO, 84);
constexpr LineDesc kMagInfoLines[] = {{"pMagInfo[", "]={ ", " }"}};
constexpr FieldDesc kMagInfoFields[] = {
    VRX_FIELD(VRXMAGINFO, 1, dwWidth, Unsigned, 0),    VRX_FIELD(VRXMAGINFO, 1, dwSurface, Unsigned, 4),
    VRX_FIELD(VRXMAGINFO, 1, dwRemain, Unsigned, 8),   VRX_FIELD(VRXMAGINFO, 1, dwFeed, Unsigned, 12),
    VRX_FIELD(VRXMAGINFO, 1, dwPresence, Unsigned, 16), VRX_FIELD(VRXMAGINFO, 1, szName, Text, 20),
};
VRX_RECORD(kMagInfoRecord, sizeof(VRXMAGINFO), kMagInfoLines, kMagInfoFields);

VRX_SIZE(VRXMAGDETAILINFO, 140);
VRX_AT(VRXMAGDETAILINFO, byReserved, 108);
constexpr LineDesc kMagDetailInfoLines[] = {{"pMagDetailInfo[", "]={ ", " }"}};
constexpr FieldDesc kMagDetailInfoFields[] = {
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwWidth, Unsigned, 0),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, dwLength, Unsigned, kRange, 4),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwSurface, Unsigned, 12),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, dwResolution, Unsigned, kSpaced, 16),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, nAllocation, Signed, kSpaced, 48),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwSetupStatus, Unsigned, 56),
    VRX_FIELD(VRXMAGDETAILINFO, 1, dwFeed, Unsigned, 60),
    VRX_ARRAY(VRXMAGDETAILINFO, 1, nWBAdjust, Signed, kSpaced, 64),
    VRX_FIELD(VRXMAGDETAILINFO, 1, szPaperName, Text, 68),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wPaperTypeCode, Unsigned, 100),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wDirection, Unsigned, 102),
    VRX_FIELD(VRXMAGDETAILINFO, 1, wPrintQuality, Unsigned, 104),
    VRX_FIELD(VRXMAGDETAILINFO, 1, PaperTypeValid, Unsigned, 106),
    VRX_FIELD(VRXMAGDETAILINFO, 1, PaperType, Unsigned, 107),
};
VRX_RECORD(kMagDetailInfoRecord, sizeof(VRXMAGDETAILINFO), kMagDetailInfoLines, kMagDetailInfoFields);

VRX_SIZE(VRXSETUPINFO, 284);
VRX_AT(VRXSETUPINFO, byReserved1, 102);
VRX_AT(VRXSETUPINFO, byReserved2, 152);
VRX_AT(VRXSETUPINFO, byReserved3, 170);
VRX_AT(VRXSETUPINFO, byReserved4, 260);
constexpr LineDesc kSetUpInfoLines[] = {
    {"pSetUpInfo[1/7]{ ", nullptr, " }"}, {"pSetUpInfo[2/7]{ ", nullptr, " }"}, {"pSetUpInfo[3/7]{ ", nullptr, " }"},
    {"pSetUpInfo[4/7]{ ", nullptr, " }"}, {"pSetUpInfo[5/7]{ ", nullptr, " }"}, {"pSetUpInfo[6/7]{ ", nullptr, " }"},
    {"pSetUpInfo[7/7]{ ", nullptr, " }"},
};
constexpr FieldDesc kSetUpInfoFields[] = {
    VRX_FIELD(VRXSETUPINFO, 1, szMachineTypeName, Text, 0),
    VRX_FIELD(VRXSETUPINFO, 1, szSoftName, Text, 20),
    VRX_FIELD(VRXSETUPINFO, 1, szSerialNumber, Text, 40),
    VRX_ARRAY(VRXSETUPINFO, 2, wSupportResolutions, Unsigned, kTight, 60),
    VRX_FIELD(VRXSETUPINFO, 2, wVrxVersion, Hex16, 76),
    VRX_FIELD(VRXSETUPINFO, 2, wMachineTypeID, Unsigned, 78),
    VRX_FIELD(VRXSETUPINFO, 2, dwTotalMemory, Unsigned, 80),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMinWidth, Unsigned, 84),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMinHeight, Unsigned, 88),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMaxWidth, Unsigned, 92),
    VRX_FIELD(VRXSETUPINFO, 3, dwImageSizeMaxHeight, Unsigned, 96),
    VRX_FIELD(VRXSETUPINFO, 3, dwNumberOfMagazine, Unsigned, 100),
    VRX_FIELD(VRXSETUPINFO, 4, PrinterTime, TimeInfo, 104),
    VRX_FIELD(VRXSETUPINFO, 4, dwRepeatCountMax, Unsigned, 132),
    VRX_ARRAY(VRXSETUPINFO, 4, SupportImageFormat, Signed, kSpaced, 136),
    VRX_FIELD(VRXSETUPINFO, 5, wLaminatorUnitAttach, Unsigned, 168),
    VRX_FIELD(VRXSETUPINFO, 5, InstallationDate, DateInfo, 172),
    VRX_FIELD(VRXSETUPINFO, 5, OperationStartDate, DateInfo, 188),
    VRX_FIELD(VRXSETUPINFO, 5, wProcessorType, Unsigned, 204),
    VRX_FIELD(VRXSETUPINFO, 5, wEmulsionNumber, Unsigned, 206),
    VRX_FIELD(VRXSETUPINFO, 6, szPrinterNickname, Text, 208),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportAngle, Unsigned, 222),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportIntoPrinter, Unsigned, 224),
    VRX_FIELD(VRXSETUPINFO, 6, wSorterStatus, Unsigned, 226),
    VRX_FIELD(VRXSETUPINFO, 6, wCvpStatus, Unsigned, 228),
    VRX_FIELD(VRXSETUPINFO, 6, wSupportPaperFitting, Unsigned, 230),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportEdgeEnhancement, Unsigned, 232),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportWithBorder, Unsigned, 234),
    VRX_FIELD(VRXSETUPINFO, 7, wMachinTypeForProfile, Unsigned, 236),
    VRX_ARRAY(VRXSETUPINFO, 7, wPaperTypeCode, Unsigned, kSpaced, 238),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportCMS, Unsigned, 250),
    VRX_FIELD(VRXSETUPINFO, 7, wSetupAlgorithm, Unsigned, 252),
    VRX_FIELD(VRXSETUPINFO, 7, wSupportDuplex, Unsigned, 254),
    VRX_FIELD(VRXSETUPINFO, 7, dwFadAttachNo, Unsigned, 256),
};
VRX_RECORD(kSetUpInfoRecord, sizeof(VRXSETUPINFO), kSetUpInfoLines, kSetUpInfoFields);

VRX_SIZE(VRXPRINTNUMINFO, 56);
VRX_AT(VRXPRINTNUMINFO, byReserved, 24);
constexpr LineDesc kPrintNumInfoLines[] = {{"pPrintNumInfo={ ", nullptr, " }"}};
constexpr FieldDesc kPrintNumInfoFields[] = {
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwSdkReserver, Unsigned, 0), VRX_FIELD(VRXPRINTNUMINFO, 1, dwFrmRatio, Unsigned, 4),
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwReserver, Unsigned, 8),    VRX_FIELD(VRXPRINTNUMINFO, 1, dwPrtNumber, Unsigned, 12),
    VRX_FIELD(VRXPRINTNUMINFO, 1, dwProNumber, Unsigned, 16),   VRX_FIELD(VRXPRINTNUMINFO, 1, dwTotalCount, Unsigned, 20),
};
VRX_RECORD(kPrintNumInfoRecord, sizeof(VRXPRINTNUMINFO), kPrintNumInfoLines, kPrintNumInfoFields);

VRX_SIZE(VRXPAPERINFO, 76);
constexpr LineDesc kPaperInfoLines[] = {{"pPaperInfo{ ", nullptr, " }"}};
constexpr FieldDesc kPaperInfoFields[] = {
    VRX_FIELD(VRXPAPERINFO, 1, dwWidth, Unsigned, 0),
    VRX_FIELD(VRXPAPERINFO, 1, dwSurface, Unsigned, 4),
    VRX_FIELD(VRXPAPERINFO, 1, dwFeed, Unsigned, 8),
    VRX_FIELD(VRXPAPERINFO, 1, szPaperName, Text, 12),
};
VRX_RECORD(kPaperInfoRecord, sizeof(VRXPAPERINFO), kPaperInfoLines, kPaperInfoFields);

VRX_SIZE(VRXPRINTINFO, 724 + P);
VRX_AT(VRXPRINTINFO, byReserved1, 659 + P);
VRX_AT(VRXPRINTINFO, byReserved2, 670 + P);
// --- Records of the order and print calls

constexpr LineDesc kPrintInfoLines[] = {
    {"pPrintInfo[1/8]={ ", nullptr, " }"}, {"pPrintInfo[2/8]={ ", nullptr, " }"},
    {"pPrintInfo[3/8]={ ", nullptr, " }"}, {"pPrintInfo[4/8]={ ", nullptr, " }"},
    {"pPrintInfo[5/8]={ ", nullptr, " }"}, {"pPrintInfo[6/8]={ ", nullptr, " }"},
    {"pPrintInfo[7/8]={ ", nullptr, " }"}, {"pPrintInfo[8/8]={ ", nullptr, " }"},
};
constexpr FieldDesc kPrintInfoFields[] = {
    VRX_FIELD(VRXPRINTINFO, 1, dwImageFormat, Unsigned, 0),
    VRX_FIELD(VRXPRINTINFO, 1, dwColorSpace, Unsigned, 4),
    VRX_FIELD(VRXPRINTINFO, 1, dwSourceType, Unsigned, 8),
    VRX_FIELD(VRXPRINTINFO, 1, dwDataLength, Unsigned, 12),
    VRX_FIELD(VRXPRINTINFO, 1, pName, TextPointer, 16),
    VRX_FIELD(VRXPRINTINFO, 1, dwOffset, Unsigned, 20 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwImgWidth, Unsigned, 24 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwImgHeight, Unsigned, 28 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwResolution, Unsigned, 32 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwPaperWidth, Unsigned, 36 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwPaperLength, Unsigned, 40 + P),
    VRX_FIELD(VRXPRINTINFO, 2, dwCvpPrintSize, Unsigned, 44 + P),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpInitialValue1, Unsigned, 48 + P),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpPoint1, Unsigned, 52 + P),
    VRX_FIELD(VRXPRINTINFO, 3, dwCvpInitialWidth1, Unsigned, 56 + P),
    VRX_FIELD(VRXPRINTINFO, 3, szCvpLine1, Text, 60 + P),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpInitialValue2, Unsigned, 316 + P),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpPoint2, Unsigned, 320 + P),
    VRX_FIELD(VRXPRINTINFO, 4, dwCvpInitialWidth2, Unsigned, 324 + P),
    VRX_FIELD(VRXPRINTINFO, 4, szCvpLine2, Text, 328 + P),
    VRX_FIELD(VRXPRINTINFO, 5, dwPrintNum, Unsigned, 584 + P),
    VRX_FIELD(VRXPRINTINFO, 5, dwFeed, Unsigned, 588 + P),
    VRX_FIELD(VRXPRINTINFO, 5, dwSurface, Unsigned, 592 + P),
    VRX_FIELD(VRXPRINTINFO, 5, dwPaperPresence, Unsigned, 596 + P),
    VRX_FIELD(VRXPRINTINFO, 5, nEspc, Signed, 600 + P),
    VRX_FIELD(VRXPRINTINFO, 5, wCMS, Unsigned, 602 + P),
    VRX_FIELD(VRXPRINTINFO, 5, wAngle, Unsigned, 604 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wPaperFitting, Unsigned, 606 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wEdgeEnhancement, Unsigned, 608 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderTop, Unsigned, 610 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderBottom, Unsigned, 612 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderLeft, Unsigned, 614 + P),
    VRX_FIELD(VRXPRINTINFO, 6, wWithBorderRight, Unsigned, 616 + P),
    VRX_ARRAY(VRXPRINTINFO, 7, byWithBorderColor, Unsigned, kSpaced, 618 + P),  // bytes: 255, never -1
    VRX_FIELD(VRXPRINTINFO, 7, szPaperName, Text, 621 + P),
    VRX_FIELD(VRXPRINTINFO, 7, nPcfms, Signed, 654 + P),
    VRX_FIELD(VRXPRINTINFO, 7, wPrintQuality, Unsigned, 656 + P),
    VRX_FIELD(VRXPRINTINFO, 7, byImageEnlargeType, Unsigned, 658 + P),
    VRX_FIELD(VRXPRINTINFO, 8, wLoadingCount, Unsigned, 660 + P),
    VRX_FIELD(VRXPRINTINFO, 8, wPrintedCount, Unsigned, 662 + P),
    VRX_FIELD(VRXPRINTINFO, 8, dwEventId, Unsigned, 664 + P),
    VRX_FIELD(VRXPRINTINFO, 8, wEventCodeMain, Unsigned, 668 + P),
};
VRX_RECORD(kPrintInfoRecord, sizeof(VRXPRINTINFO), kPrintInfoLines, kPrintInfoFields);

VRX_SIZE(VRXBLANKPRINTINFO, 132);
VRX_AT(VRXBLANKPRINTINFO, byReserved, 66);
constexpr LineDesc kBlankPrintInfoLines[] = {
    {"pBlankPrintInfo[1/2]={ ", nullptr, " }"},
    {"pBlankPrintInfo[2/2]={ ", nullptr, " }"},
};
constexpr FieldDesc kBlankPrintInfoFields[] = {
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwResolution, Unsigned, 0),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperWidth, Unsigned, 4),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperLength, Unsigned, 8),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPrintNum, Unsigned, 12),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwFeed, Unsigned, 16),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwSurface, Unsigned, 20),
    VRX_FIELD(VRXBLANKPRINTINFO, 1, dwPaperPresence, Unsigned, 24),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, szPaperName, Text, 28),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, dwClearInk, Unsigned, 60),
    VRX_FIELD(VRXBLANKPRINTINFO, 2, wPrintQuality, Unsigned, 64),
};
VRX_RECORD(kBlankPrintInfoRecord, sizeof(VRXBLANKPRINTINFO), kBlankPrintInfoLines, kBlankPrintInfoFields);

VRX_SIZE(VRXINTERRUPTORDERINFO, 40);
VRX_AT(VRXINTERRUPTORDERINFO, byReserved, 8);
constexpr LineDesc kInterruptOrderLines[] = {{"pInterruptOrderInfo[1/1]={ ", nullptr, " }"}};
constexpr FieldDesc kInterruptOrderFields[] = {
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wOrderState, Unsigned, 0),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wMainSideState, Unsigned, 2),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wBackSideState, Unsigned, 4),
    VRX_FIELD(VRXINTERRUPTORDERINFO, 1, wPrintSide, Unsigned, 6),
};
VRX_RECORD(kInterruptOrderRecord, sizeof(VRXINTERRUPTORDERINFO), kInterruptOrderLines, kInterruptOrderFields);

VRX_SIZE(VRXEVENTINFO, 196);
VRX_AT(VRXEVENTINFO, byReserved, 180);
// --- Notification records

constexpr LineDesc kEventInfoLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kEventInfoFields[] = {
    VRX_FIELD(VRXEVENTINFO, 1, hPrinter, Hex32, 0),
    VRX_FIELD(VRXEVENTINFO, 1, dwIPAddress, QuotedIpAddress, 4),
    VRX_FIELD(VRXEVENTINFO, 1, dwErrHandle, Hex32, 8),
    VRX_FIELD(VRXEVENTINFO, 1, sysTime, SystemTime, 12),
    VRX_FIELD(VRXEVENTINFO, 1, dwErrCode, Unsigned, 28),
    VRX_FIELD(VRXEVENTINFO, 1, dwOnOff, Unsigned, 32),
    VRX_ARRAY(VRXEVENTINFO, 1, alParams, Signed, kSpaced, 36),
    VRX_ARRAY(VRXEVENTINFO, 1, szStrings, Text, kSpaced, 52),
};
VRX_RECORD(kEventInfoRecord, sizeof(VRXEVENTINFO), kEventInfoLines, kEventInfoFields);

VRX_SIZE(VRXUNITSTATUSINFO, 32);
VRX_AT(VRXUNITSTATUSINFO, nStatus, 12);
VRX_AT(VRXUNITSTATUSINFO, nPrevStatus, 14);
VRX_AT(VRXUNITSTATUSINFO, byReserved, 18);
// The line shows the change as old -> new: nPrevStatus (offset 14) first.
constexpr LineDesc kUnitStatusLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kUnitStatusFields[] = {
    VRX_FIELD(VRXUNITSTATUSINFO, 1, hPrinter, Hex32, 0),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, dwIPAddress, IpAddress, 4),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, wPortNo, Unsigned, 16),
    VRX_FIELD(VRXUNITSTATUSINFO, 1, lUnitId, UnitId, 8),
    FieldDesc{"Status", FieldKind::StatusChange, offsetof(VRXUNITSTATUSINFO, nPrevStatus),
              sizeof(VRXUNITSTATUSINFO::nPrevStatus), 1, kNoArray, offsetof(VRXUNITSTATUSINFO, nStatus), 1},
};
VRX_RECORD(kUnitStatusRecord, sizeof(VRXUNITSTATUSINFO), kUnitStatusLines, kUnitStatusFields);

VRX_SIZE(VRXCOMPLETIONINFO, VRX_PRINT_COMPLETION_SIZE);
VRX_AT(VRXCOMPLETIONINFO, byReserved1, 36);
VRX_AT(VRXCOMPLETIONINFO, byReserved2, VRX_ORDER_COMPLETION_SIZE);
constexpr LineDesc kPrintCompletionLines[] = {
    {"dwCompletionCode=COMPLETION_PRINT(0), pCompletionInfo={ ", nullptr, " }"}};
constexpr FieldDesc kPrintCompletionFields[] = {
    VRX_FIELD(VRXCOMPLETIONINFO, 1, hPrinter, Hex32, 0),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwIPAddress, IpAddress, 4),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, sysTime, SystemTime, 8),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwPrintId, Unsigned, 24),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwStatus, CompletionStatus, 28),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwFinishNum, Unsigned, 32),
};
VRX_RECORD(kPrintCompletionRecord, VRX_PRINT_COMPLETION_SIZE, kPrintCompletionLines, kPrintCompletionFields);

// The order id in decimal here, unlike the order calls' hexadecimal.
constexpr LineDesc kOrderCompletionLines[] = {
    {"dwCompletionCode=COMPLETION_ORDER(3), pCompletionInfo={ ", nullptr, " }"}};
constexpr FieldDesc kOrderCompletionFields[] = {
    VRX_FIELD(VRXCOMPLETIONINFO, 1, hPrinter, Hex32, 0),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwIPAddress, IpAddress, 4),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, sysTime, SystemTime, 8),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwOrderId, Unsigned, 24),
    VRX_FIELD(VRXCOMPLETIONINFO, 1, dwStatus, CompletionStatus, 28),
};
VRX_RECORD(kOrderCompletionRecord, VRX_ORDER_COMPLETION_SIZE, kOrderCompletionLines, kOrderCompletionFields);

VRX_SIZE(VRXEVENTEXINFO, 28);
VRX_AT(VRXEVENTEXINFO, byReserved, 10);
constexpr LineDesc kEventExInfoLines[] = {{"", nullptr, ""}};
constexpr FieldDesc kEventExInfoFields[] = {
    VRX_FIELD(VRXEVENTEXINFO, 1, dwPrintId, Unsigned, 0),
    VRX_FIELD(VRXEVENTEXINFO, 1, dwEventId, Unsigned, 4),
    VRX_FIELD(VRXEVENTEXINFO, 1, wEventCodeMain, Unsigned, 8),
};
VRX_RECORD(kEventExInfoRecord, sizeof(VRXEVENTEXINFO), kEventExInfoLines, kEventExInfoFields);

// --- Reading values

uint32_t ReadUnsigned(const unsigned char* at, size_t size) {
    switch (size) {
        case 1: return ReadAt<uint8_t>(at);
        case 2: return ReadAt<uint16_t>(at);
        default: return ReadAt<uint32_t>(at);
    }
}

int32_t ReadSigned(const unsigned char* at, size_t size) {
    switch (size) {
        case 1: return ReadAt<int8_t>(at);
        case 2: return ReadAt<int16_t>(at);
        default: return ReadAt<int32_t>(at);
    }
}

}  // namespace vrx

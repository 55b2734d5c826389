// The printer library's C interface: entry points, callback types and the
// records it shares with the console. Shared by the console and the stand-in
// library; kept free of <windows.h> so record code also builds natively.
#pragma once

#include <cstddef>
#include <cstdint>

#include "VrxEntryPoints.h"

#if defined(_WIN32)
#define VRXAPI __stdcall
#else
#define VRXAPI
#endif

#if defined(VRX_BUILDING_LIBRARY) && defined(_WIN32)
#define VRXEXPORT extern "C" __declspec(dllexport)
#else
#define VRXEXPORT extern "C"
#endif

// Printer handles are 32-bit values on every target, as the records hold them.
typedef uint32_t HVRXPRINTER;

// Result codes with a name (everything else is traced as UNKNOWN).
enum : uint32_t {
    VRXERR_NORMAL = 1,
    VRXERR_REJECT2 = 4,
    VRXERR_BADPARAM = 5,
    VRXERR_SYSERR = 6,
    VRXERR_PRNERR = 7,
    VRXERR_REJECT3 = 10,
    VRXERR_REMAINING_DATA = 15,
    VRXERR_TIMEOUT = 16,
};

enum : uint32_t {
    COMPLETION_PRINT = 0,
    COMPLETION_ORDER = 3,
};

enum : uint32_t {
    RESULT_OK = 0,
    RESULT_NG = 1,
    RESULT_USER_CANCEL = 2,
    RESULT_TRANSFER = 4,
    RESULT_PRINT = 11,
    RESULT_OK_REPEAT = 20,
    RESULT_PRINT_REPEAT = 21,
    RESULT_LOADING_COUNT = 31,  // unnamed in traces: dwFinishNum is the loading count
    RESULT_PRINTED_COUNT = 40,  // unnamed in traces: dwFinishNum is the printed count
};

// Same layout as the Windows SYSTEMTIME, without needing <windows.h>.
struct VRXSYSTEMTIME {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

struct VRXPRINTERINFO {
    uint32_t dwIPAddress;  // first octet in the lowest byte
    char szMachineTypeName[20];
    char szSoftName[20];
    char szSerialNumber[20];
    uint16_t wSupportResolutions[8];
    uint16_t wVrxVersion;
    uint8_t MacAddress[6];
    uint8_t byReserved[32];
};

struct VRXUNITINFO {
    uint32_t dwPrinterStatus;
    uint32_t dwAcceptStatus;
    uint32_t dwPrinterPossession;
    uint32_t dwAdvanceStatus;
    uint32_t dwLaserStatus;
    uint32_t dwDevelopmentStatus;
    uint32_t dwProcessorStatus;
    uint32_t dwReplenisherStatus;
    uint32_t dwReplaceCartridgeStatus;
    uint32_t dwStartUpChecksStatus;
    uint32_t dwRefillWaterStatus;
    uint32_t dwDailySetupStatus;
    uint32_t dwControlStripStatus;
    uint32_t dwMaintenanceStatus;
    uint32_t dwFadStatus;
    uint8_t byReserved[24];
};

struct VRXMAGINFO {
    uint32_t dwWidth;
    uint32_t dwSurface;
    uint32_t dwRemain;
    uint32_t dwFeed;
    uint32_t dwPresence;
    char szName[64];
};

struct VRXMAGDETAILINFO {
    uint32_t dwWidth;
    uint32_t dwLength[2];
    uint32_t dwSurface;
    uint32_t dwResolution[8];
    int16_t nAllocation[4];
    uint32_t dwSetupStatus;
    uint32_t dwFeed;
    int16_t nWBAdjust[2];
    char szPaperName[32];
    uint16_t wPaperTypeCode;
    uint16_t wDirection;
    uint16_t wPrintQuality;
    uint8_t PaperTypeValid;
    uint8_t PaperType;
    uint8_t byReserved[32];
};

struct VRXTIMEINFO {
    uint32_t dwYear;
    uint32_t dwMonth;
    uint32_t dwDay;
    uint32_t dwDayofweek;  // 0 is Sunday; never traced
    uint32_t dwHour;
    uint32_t dwMinute;
    uint32_t dwSecond;
};

struct VRXDATEINFO {
    uint32_t dwYear;
    uint32_t dwMonth;
    uint32_t dwDay;
    uint32_t dwReserved;
};

struct VRXSETUPINFO {
    char szMachineTypeName[20];
    char szSoftName[20];
    char szSerialNumber[20];
    uint16_t wSupportResolutions[8];
    uint16_t wVrxVersion;
    uint16_t wMachineTypeID;
    uint32_t dwTotalMemory;
    uint32_t dwImageSizeMinWidth;
    uint32_t dwImageSizeMinHeight;
    uint32_t dwImageSizeMaxWidth;
    uint32_t dwImageSizeMaxHeight;
    uint16_t dwNumberOfMagazine;  // 16 bits, despite its name
    uint8_t byReserved1[2];
    VRXTIMEINFO PrinterTime;
    uint32_t dwRepeatCountMax;
    int8_t SupportImageFormat[16];
    uint8_t byReserved2[16];
    uint16_t wLaminatorUnitAttach;
    uint8_t byReserved3[2];
    VRXDATEINFO InstallationDate;
    VRXDATEINFO OperationStartDate;
    uint16_t wProcessorType;
    uint16_t wEmulsionNumber;
    char szPrinterNickname[14];
    uint16_t wSupportAngle;
    uint16_t wSupportIntoPrinter;
    uint16_t wSorterStatus;
    uint16_t wCvpStatus;
    uint16_t wSupportPaperFitting;
    uint16_t wSupportEdgeEnhancement;
    uint16_t wSupportWithBorder;
    uint16_t wMachinTypeForProfile;
    uint16_t wPaperTypeCode[6];
    uint16_t wSupportCMS;
    uint16_t wSetupAlgorithm;
    uint16_t wSupportDuplex;
    uint32_t dwFadAttachNo;
    uint8_t byReserved4[24];
};

struct VRXPRINTNUMINFO {
    uint32_t dwSdkReserver;
    uint32_t dwFrmRatio;
    uint32_t dwReserver;
    uint32_t dwPrtNumber;
    uint32_t dwProNumber;
    uint32_t dwTotalCount;
    uint8_t byReserved[32];
};

struct VRXPAPERINFO {
    uint32_t dwWidth;
    uint32_t dwSurface;
    uint32_t dwFeed;
    char szPaperName[64];
};

struct VRXPRINTINFO {
    uint32_t dwImageFormat;
    uint32_t dwColorSpace;
    uint32_t dwSourceType;  // 0 shared memory, 1 file
    uint32_t dwDataLength;
    const char* pName;      // image file path or shared-memory buffer name
    uint32_t dwOffset;
    uint32_t dwImgWidth;
    uint32_t dwImgHeight;
    uint32_t dwResolution;
    uint32_t dwPaperWidth;
    uint32_t dwPaperLength;
    uint32_t dwCvpPrintSize;
    uint32_t dwCvpInitialValue1;
    uint32_t dwCvpPoint1;
    uint32_t dwCvpInitialWidth1;
    char szCvpLine1[256];
    uint32_t dwCvpInitialValue2;
    uint32_t dwCvpPoint2;
    uint32_t dwCvpInitialWidth2;
    char szCvpLine2[256];
    uint32_t dwPrintNum;
    uint32_t dwFeed;
    uint32_t dwSurface;
    uint32_t dwPaperPresence;
    int16_t nEspc;
    uint16_t wCMS;
    uint16_t wAngle;
    uint16_t wPaperFitting;
    uint16_t wEdgeEnhancement;
    uint16_t wWithBorderTop;
    uint16_t wWithBorderBottom;
    uint16_t wWithBorderLeft;
    uint16_t wWithBorderRight;
    uint8_t byWithBorderColor[3];
    char szPaperName[33];
    int16_t nPcfms;
    uint16_t wPrintQuality;
    uint8_t byImageEnlargeType;
    uint8_t byReserved1;
    uint16_t wLoadingCount;
    uint16_t wPrintedCount;
    uint32_t dwEventId;
    uint16_t wEventCodeMain;
    uint8_t byReserved2[54];
};

struct VRXBLANKPRINTINFO {
    uint32_t dwResolution;
    uint32_t dwPaperWidth;
    uint32_t dwPaperLength;
    uint32_t dwPrintNum;
    uint32_t dwFeed;
    uint32_t dwSurface;
    uint32_t dwPaperPresence;
    char szPaperName[32];
    uint32_t dwClearInk;
    uint16_t wPrintQuality;
    uint8_t byReserved[66];
};

struct VRXINTERRUPTORDERINFO {
    uint16_t wOrderState;
    uint16_t wMainSideState;
    uint16_t wBackSideState;
    uint16_t wPrintSide;
    uint8_t byReserved[32];
};

struct VRXEVENTINFO {
    HVRXPRINTER hPrinter;
    uint32_t dwIPAddress;
    uint32_t dwErrHandle;  // given back to vrxDevResetEvent
    VRXSYSTEMTIME sysTime;
    uint32_t dwErrCode;
    uint32_t dwOnOff;      // 1 on, 0 off
    int32_t alParams[4];
    char szStrings[4][32];
    uint8_t byReserved[16];
};

struct VRXUNITSTATUSINFO {
    HVRXPRINTER hPrinter;
    uint32_t dwIPAddress;
    int32_t lUnitId;
    int16_t nStatus;      // the new status
    int16_t nPrevStatus;  // the status before
    uint16_t wPortNo;
    uint8_t byReserved[14];
};

// Completion of a print (code 0, 52 bytes) or of an order (code 3, only the
// first 48 bytes are valid: the order form ends before byReserved2).
struct VRXCOMPLETIONINFO {
    HVRXPRINTER hPrinter;
    uint32_t dwIPAddress;
    VRXSYSTEMTIME sysTime;
    union {
        uint32_t dwPrintId;
        uint32_t dwOrderId;
    };
    uint32_t dwStatus;
    uint32_t dwFinishNum;  // print form only
    uint8_t byReserved1[12];
    uint8_t byReserved2[4];  // print form only
};

struct VRXEVENTEXINFO {
    uint32_t dwPrintId;
    uint32_t dwEventId;
    uint16_t wEventCodeMain;
    uint8_t byReserved[18];
};

// Bytes of each completion form, and of every record a callback hands over.
enum : size_t {
    VRX_PRINT_COMPLETION_SIZE = 52,
    VRX_ORDER_COMPLETION_SIZE = 48,
};

typedef uint32_t(VRXAPI* VRXEVENTPROC)(VRXEVENTINFO* pEventInfo);
typedef uint32_t(VRXAPI* VRXUNITPROC)(VRXUNITSTATUSINFO* pUnitStatusInfo);
typedef uint32_t(VRXAPI* VRXCOMPLETIONPROC)(uint32_t dwCompletionCode, VRXCOMPLETIONINFO* pCompletionInfo);
typedef uint32_t(VRXAPI* VRXEVENTPROCEX)(VRXEVENTEXINFO* pEventExInfo);
typedef void(VRXAPI* VRXRECVPROC)(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);
typedef void(VRXAPI* VRXNOTICEPROC)(uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t);

// The entry points, declared from their one list.
#define VRX_DECLARE_ENTRY_POINT(ret, name, params, args, method) VRXEXPORT ret VRXAPI name params;
VRX_ENTRY_POINTS(VRX_DECLARE_ENTRY_POINT)
#undef VRX_DECLARE_ENTRY_POINT

// The four notification traces, each fed a heap copy exactly as large as the
// record the console copies (196, 32, 52 or 48, 28 bytes), so the sanitizers
// see any read past it.
#include <gtest/gtest.h>

#include "TraceTestSupport.h"

namespace {

using tracetest::kStamp;
using tracetest::RecordingTracer;

constexpr uint32_t kIp = 0x0100A8C0;  // 192.168.0.1
const VRXSYSTEMTIME kTime = {2024, 2, 4, 29, 13, 5, 9, 500};

// The copy a notification handler owns: the record's first `size` bytes.
class Copy {
public:
    template <class T>
    Copy(const T& record, size_t size = sizeof(T)) : m_bytes(new unsigned char[size]) {
        std::memcpy(m_bytes.get(), &record, size);
    }
    template <class T>
    const T* As() const {
        return reinterpret_cast<const T*>(m_bytes.get());
    }

private:
    std::unique_ptr<unsigned char[]> m_bytes;
};

struct NoticeCase {
    std::string title;
    std::function<void(RecordingTracer&)> run;
    std::vector<std::string> lines;  // without the time stamp
};

VRXUNITSTATUSINFO Unit(int32_t unitId, int16_t at12, int16_t at14, uint16_t port) {
    VRXUNITSTATUSINFO u{};
    u.hPrinter = 0x00A40000;
    u.dwIPAddress = kIp;
    u.lUnitId = unitId;
    // Written by offset, as the library lays the record out.
    auto* bytes = reinterpret_cast<unsigned char*>(&u);
    std::memcpy(bytes + 12, &at12, 2);
    std::memcpy(bytes + 14, &at14, 2);
    u.wPortNo = port;
    return u;
}

VRXCOMPLETIONINFO Completion(uint32_t id, uint32_t status, uint32_t finish) {
    VRXCOMPLETIONINFO c{};
    c.hPrinter = 0x00A40000;
    c.dwIPAddress = kIp;
    c.sysTime = kTime;
    c.dwPrintId = id;
    c.dwStatus = status;
    c.dwFinishNum = finish;
    return c;
}

std::vector<NoticeCase> Cases() {
    return {
        {"an event quotes its address and shows every field",
         [](RecordingTracer& t) {
             VRXEVENTINFO e{};
             e.hPrinter = 0x00A40000;
             e.dwIPAddress = kIp;
             e.dwErrHandle = 0x1234;
             e.sysTime = kTime;
             e.dwErrCode = 1001;
             e.dwOnOff = 1;
             const int32_t params[4] = {-1, 0, 2147483647, -2147483647 - 1};
             std::memcpy(e.alParams, params, sizeof params);
             std::strcpy(e.szStrings[0], "Paper out");
             std::strcpy(e.szStrings[1], "Mag 2");
             std::strcpy(e.szStrings[3], "x");
             t.TraceEventInfo(Copy(e).As<VRXEVENTINFO>());
         },
         {"[>>>] [PVRXEVENTINFO] hPrinter=0x00A40000, dwIPAddress=\"192,168,0,1\", dwErrHandle=0x00001234, "
          "sysTime=2024/02/29 13:05:09, dwErrCode=1001, dwOnOff=1, alParams={ -1,0,2147483647,-2147483648 }, "
          "szStrings={ \"Paper out\",\"Mag 2\",\"\",\"x\" }"}},
        {"an event with empty strings",
         [](RecordingTracer& t) { t.TraceEventInfo(Copy(VRXEVENTINFO{}).As<VRXEVENTINFO>()); },
         {"[>>>] [PVRXEVENTINFO] hPrinter=0x00000000, dwIPAddress=\"0,0,0,0\", dwErrHandle=0x00000000, "
          "sysTime=0000/00/00 00:00:00, dwErrCode=0, dwOnOff=0, alParams={ 0,0,0,0 }, "
          "szStrings={ \"\",\"\",\"\",\"\" }"}},
        {"event strings filling all 32 bytes stop at their field",
         [](RecordingTracer& t) {
             VRXEVENTINFO e{};
             for (int i = 0; i < 4; ++i) std::memset(e.szStrings[i], 'A' + i, 32);
             std::memset(e.byReserved, 'R', sizeof e.byReserved);
             t.TraceEventInfo(Copy(e).As<VRXEVENTINFO>());
         },
         {"[>>>] [PVRXEVENTINFO] hPrinter=0x00000000, dwIPAddress=\"0,0,0,0\", dwErrHandle=0x00000000, "
          "sysTime=0000/00/00 00:00:00, dwErrCode=0, dwOnOff=0, alParams={ 0,0,0,0 }, szStrings={ \"" +
          std::string(32, 'A') + "\",\"" + std::string(32, 'B') + "\",\"" + std::string(32, 'C') + "\",\"" +
          std::string(32, 'D') + "\" }"}},
        {"a unit change reads old from offset 14 and new from offset 12",
         [](RecordingTracer& t) { t.TraceUnitStatus(Copy(Unit(0x61000000, 5, 2, 9100)).As<VRXUNITSTATUSINFO>()); },
         {"[>>>] [VRXUNITPROC] hPrinter=0x00A40000, dwIPAddress=192,168,0,1, wPortNo=9100, "
          "lUnitId=INFO_ACCEPT(0x61000000), Status={ 2 -> 5 }"}},
        {"an unnamed unit with signed statuses",
         [](RecordingTracer& t) { t.TraceUnitStatus(Copy(Unit(7, 3, -1, 65535)).As<VRXUNITSTATUSINFO>()); },
         {"[>>>] [VRXUNITPROC] hPrinter=0x00A40000, dwIPAddress=192,168,0,1, wPortNo=65535, "
          "lUnitId=UNKNOWN(0x00000007), Status={ -1 -> 3 }"}},
        {"a print completion in transfer",
         [](RecordingTracer& t) {
             t.TraceCompletion(0, Copy(Completion(9, 4, 2), VRX_PRINT_COMPLETION_SIZE).As<VRXCOMPLETIONINFO>());
         },
         {"[>>>] [VRXCOMPLETIONPROC] dwCompletionCode=COMPLETION_PRINT(0), pCompletionInfo={ hPrinter=0x00A40000, "
          "dwIPAddress=192,168,0,1, sysTime=2024/02/29 13:05:09, dwPrintId=9, dwStatus=RESULT_TRANSFER(4), "
          "dwFinishNum=2 }"}},
        {"a print completion carrying a loading count has no status name",
         [](RecordingTracer& t) {
             t.TraceCompletion(0, Copy(Completion(9, 31, 0x00050003), VRX_PRINT_COMPLETION_SIZE)
                                      .As<VRXCOMPLETIONINFO>());
         },
         {"[>>>] [VRXCOMPLETIONPROC] dwCompletionCode=COMPLETION_PRINT(0), pCompletionInfo={ hPrinter=0x00A40000, "
          "dwIPAddress=192,168,0,1, sysTime=2024/02/29 13:05:09, dwPrintId=9, dwStatus=UNKNOWN(31), "
          "dwFinishNum=327683 }"}},
        {"an order completion shows order 26 in decimal and reads only its 48 bytes",
         [](RecordingTracer& t) {
             t.TraceCompletion(3, Copy(Completion(26, 0, 0), VRX_ORDER_COMPLETION_SIZE).As<VRXCOMPLETIONINFO>());
         },
         {"[>>>] [VRXCOMPLETIONPROC] dwCompletionCode=COMPLETION_ORDER(3), pCompletionInfo={ hPrinter=0x00A40000, "
          "dwIPAddress=192,168,0,1, sysTime=2024/02/29 13:05:09, dwOrderId=26, dwStatus=RESULT_OK(0) }"}},
        {"a completion of any other code leaves no line",
         [](RecordingTracer& t) {
             const Copy copy(Completion(9, 0, 0), VRX_PRINT_COMPLETION_SIZE);
             t.TraceCompletion(1, copy.As<VRXCOMPLETIONINFO>());
             t.TraceCompletion(0xFFFFFFFF, copy.As<VRXCOMPLETIONINFO>());
         },
         {}},
        {"an extended event",
         [](RecordingTracer& t) {
             VRXEVENTEXINFO e{9, 77, 513, {}};
             t.TraceEventEx(Copy(e).As<VRXEVENTEXINFO>());
         },
         {"[>>>] [VRXEVENTPROCEX] dwPrintId=9, dwEventId=77, wEventCodeMain=513"}},
        {"no record, no line",
         [](RecordingTracer& t) {
             t.TraceEventInfo(nullptr);
             t.TraceUnitStatus(nullptr);
             t.TraceCompletion(0, nullptr);
             t.TraceEventEx(nullptr);
         },
         {}},
    };
}

TEST(Notifications, TraceOneExactLineEach) {
    for (const NoticeCase& c : Cases()) {
        SCOPED_TRACE(c.title);
        RecordingTracer tracer;
        c.run(tracer);
        std::vector<std::string> expected;
        for (const std::string& line : c.lines) expected.push_back(kStamp + line);
        EXPECT_EQ(expected, tracer.lines);
    }
}

}  // namespace

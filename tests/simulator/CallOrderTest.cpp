// Calling order and its errors, discovery, devices and the information
// calls, the journal and the library log, through the exported entry points.
#include "Call.h"
#include "SimTestSupport.h"

using namespace simtest;

namespace {

// One call per entry point that needs the library open, with harmless
// arguments; each must refuse with a code other than 1.
struct Attempt {
    const char* name;
    std::function<uint32_t()> call;
};

std::vector<Attempt> CallsNeedingTheLibrary() {
    static uint16_t word;
    static uint32_t dword, a, b, c;
    static VRXPRINTERINFO printers[3];
    static HVRXPRINTER handle;
    static VRXUNITINFO unit;
    static VRXTIMEINFO time;
    const HVRXPRINTER h = 0x00A40011;
    return {
        {"vrxGetVrxVersion", [] { return vrxGetVrxVersion(&word); }},
        {"vrxSetCompletionProcMode", [] { return vrxSetCompletionProcMode(7); }},
        {"vrxSearchPrinter", [] { return vrxSearchPrinter(&word, 10); }},
        {"vrxSearchPrinter2", [] { return vrxSearchPrinter2(&word, 10); }},
        {"vrxGetPrinter", [] { return vrxGetPrinter(3, printers); }},
        {"vrxDevOpen", [] { return vrxDevOpen(Ip(127, 0, 0, 1), &handle, OnEvent, OnUnit); }},
        {"vrxDevClose", [h] { return vrxDevClose(h); }},
        {"vrxDevIsReady", [h] { return vrxDevIsReady(h); }},
        {"vrxDevGetUnitInfo", [h] { return vrxDevGetUnitInfo(h, &unit); }},
        {"vrxDevGetTime", [h] { return vrxDevGetTime(h, &time); }},
        {"vrxDevStartOrderEx", [h] { return vrxDevStartOrderEx(h, &dword, OnCompletion, 0, 0, 0, 0); }},
        {"vrxDevGetTransmitTime", [h] { return vrxDevGetTransmitTime(h, &a, &b, &c); }},
        {"vrxDevCancelPrintAll", [h] { return vrxDevCancelPrintAll(h); }},
        {"vrxDevVrxNoticeEventProcEx", [h] { return vrxDevVrxNoticeEventProcEx(h, OnEventEx); }},
        {"vrxLibClose", [] { return vrxLibClose(); }},
    };
}

class CallOrder : public SimTest {};

}  // namespace

TEST_F(CallOrder, EveryCallBeforeOpenAndAfterCloseIsRefused) {
    m_settingsPath = m_dir.File("ZembrinSim.ini");
    WriteFile(m_settingsPath, "[Simulator]\nTimeScale=0\n");
    vrxsim::SetInstancePlatform(std::make_shared<TestPlatform>(m_settingsPath));
    vrxLibClose();  // whatever an earlier test left
    for (const auto& attempt : CallsNeedingTheLibrary()) EXPECT_NE(1u, attempt.call()) << "before open: " << attempt.name;

    ASSERT_EQ(1u, vrxLibOpen(nullptr));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxLibOpen(nullptr)) << "a second open";
    uint16_t count = 0;
    EXPECT_EQ(1u, vrxSearchPrinter(&count, 10));
    ASSERT_EQ(1u, vrxLibClose());

    for (const auto& attempt : CallsNeedingTheLibrary()) EXPECT_NE(1u, attempt.call()) << "after close: " << attempt.name;
    // The setters have no result; they must be harmless at any time.
    vrxSetCustomMode(12);
    vrxSetTempFolder(nullptr);
    vrxSetConnectMode(1);
}

TEST_F(CallOrder, SearchesReportTheConfiguredPrinters) {
    Open("[Printer1]\nAddress=127.0.0.1\n[Printer2]\nAddress=10.9.8.7\nHidden=1\n[Printer3]\nAddress=127.0.0.3\n");
    VRXPRINTERINFO records[4] = {};
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT2), vrxGetPrinter(4, records)) << "no search yet";
    uint16_t count = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxSearchPrinter(nullptr, 10));
    ASSERT_EQ(1u, vrxSearchPrinter(&count, 6000));
    EXPECT_EQ(2u, count);  // the hidden one answers only the second search
    ASSERT_EQ(1u, vrxSearchPrinter2(&count, 6000));
    ASSERT_EQ(3u, count);

    ASSERT_EQ(1u, vrxGetPrinter(4, records));
    EXPECT_EQ(Ip(127, 0, 0, 1), records[0].dwIPAddress);
    EXPECT_EQ(Ip(10, 9, 8, 7), records[1].dwIPAddress);
    EXPECT_EQ(Ip(127, 0, 0, 3), records[2].dwIPAddress);
    EXPECT_EQ(0u, records[3].dwIPAddress) << "records past the printers found stay as the caller left them";
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(nullptr, memchr(records[i].szMachineTypeName, 0, sizeof records[i].szMachineTypeName));
        EXPECT_GT(strlen(records[i].szSerialNumber), 0u);
        EXPECT_GT(strlen(records[i].szSoftName), 0u);
        EXPECT_NE(0u, records[i].wVrxVersion);
        EXPECT_NE(0u, records[i].wSupportResolutions[0]);
        EXPECT_EQ(0x02, records[i].MacAddress[0]);
    }
    EXPECT_STRNE(records[0].szSerialNumber, records[1].szSerialNumber);

    VRXPRINTERINFO one{};
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REMAINING_DATA), vrxGetPrinter(1, &one));
    EXPECT_EQ(Ip(127, 0, 0, 1), one.dwIPAddress);
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxGetPrinter(2, nullptr));
}

TEST_F(CallOrder, OpenAnswersOnlyConfiguredAddressesWithDistinctHandles) {
    Open();
    HVRXPRINTER h = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_TIMEOUT), vrxDevOpen(Ip(127, 0, 0, 9), &h, OnEvent, OnUnit));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevOpen(Ip(127, 0, 0, 1), nullptr, OnEvent, OnUnit));
    HVRXPRINTER h1 = OpenPrinter(Ip(127, 0, 0, 1));
    HVRXPRINTER h2 = OpenPrinter(Ip(127, 0, 0, 2));
    HVRXPRINTER h3 = OpenPrinter(Ip(127, 0, 0, 3));
    HVRXPRINTER again = OpenPrinter(Ip(127, 0, 0, 1));
    std::set<HVRXPRINTER> handles{h1, h2, h3, again};
    EXPECT_EQ(4u, handles.size());
    EXPECT_EQ(0u, handles.count(0));
    EXPECT_EQ(h1 & 0xFFFF, h2 & 0xFFFF) << "two printers share the low 16 bits of their handles";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REJECT3), vrxDevOccupyCheck(h1)) << "the same printer is open twice";
    EXPECT_EQ(1u, vrxDevOccupyCheck(h2));

    // Opening starts the printer's notifications on a library thread.
    ASSERT_TRUE(Recorder::Get().WaitFor([h3](const std::vector<Got>& got) {
        for (const auto& g : got) {
            if (g.kind == Got::Unit && g.unit.hPrinter == h3 && g.unit.lUnitId == 0x61000000 && g.unit.nStatus == 1) return true;
        }
        return false;
    }));
    for (const auto& g : Recorder::Get().Snapshot()) EXPECT_NE(std::this_thread::get_id(), g.thread);

    ASSERT_EQ(1u, vrxDevClose(h2));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevClose(h2)) << "closed handles are unknown";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevIsReady(h2));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevIsReady(0));
}

TEST_F(CallOrder, InformationCallsFillEveryField) {
    Open();
    HVRXPRINTER h1 = OpenPrinter(Ip(127, 0, 0, 1));
    HVRXPRINTER h3 = OpenPrinter(Ip(127, 0, 0, 3));

    VRXUNITINFO unit{};
    ASSERT_EQ(1u, vrxDevGetUnitInfo(h1, &unit));
    EXPECT_EQ(1u, unit.dwPrinterStatus);
    EXPECT_EQ(1u, unit.dwAcceptStatus);
    EXPECT_EQ(1u, unit.dwFadStatus) << "the first printer has a FAD unit";
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevGetUnitInfo(h1, nullptr));

    VRXSETUPINFO a{}, b{};
    ASSERT_EQ(1u, vrxDevGetSetUpInfo(h1, &a));
    ASSERT_EQ(1u, vrxDevGetSetUpInfo(h3, &b));
    for (const VRXSETUPINFO* s : {&a, &b}) {
        EXPECT_GT(strnlen(s->szMachineTypeName, sizeof s->szMachineTypeName), 0u);
        EXPECT_LT(strnlen(s->szPrinterNickname, sizeof s->szPrinterNickname), sizeof s->szPrinterNickname);
        EXPECT_GE(s->PrinterTime.dwYear, 2020u);
        EXPECT_NE(0u, s->dwImageSizeMaxWidth);
        EXPECT_NE(0u, s->dwRepeatCountMax);
        EXPECT_NE(0u, s->InstallationDate.dwYear);
        EXPECT_EQ(100, s->SupportImageFormat[15]);
    }
    EXPECT_STRNE(a.szMachineTypeName, b.szMachineTypeName);
    EXPECT_EQ(2u, a.dwNumberOfMagazine);
    EXPECT_EQ(4u, b.dwNumberOfMagazine);
    EXPECT_EQ(1u, b.wSupportDuplex);

    VRXPRINTNUMINFO counts{};
    ASSERT_EQ(1u, vrxDevGetPrintNumInfo(h1, &counts));
    EXPECT_EQ(0u, counts.dwPrtNumber);
    EXPECT_GT(counts.dwTotalCount, 0u);

    uint16_t version = 0;
    ASSERT_EQ(1u, vrxGetVrxVersion(&version));
    EXPECT_NE(0u, version);
}

TEST_F(CallOrder, MagazineSizesSayTheBytesWritten) {
    Open();
    HVRXPRINTER h = OpenPrinter(Ip(127, 0, 0, 1));  // two magazines
    struct Case {
        uint32_t records;
        uint32_t result;
        uint32_t size;
    };
    for (const Case& c : {Case{1, VRXERR_REMAINING_DATA, 84}, Case{2, 1, 168}, Case{4, 1, 168}}) {
        std::vector<VRXMAGINFO> mags(c.records);
        uint32_t size = c.records * sizeof(VRXMAGINFO);
        EXPECT_EQ(c.result, vrxDevGetMagInfo(h, mags.data(), &size)) << c.records;
        EXPECT_EQ(c.size, size) << c.records;
        EXPECT_EQ(1270u, mags[0].dwWidth);
        EXPECT_STREQ("MAG1 127mm GLOSSY", mags[0].szName);
    }
    uint32_t size = 0;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_REMAINING_DATA), vrxDevGetMagInfo(h, nullptr, &size));
    EXPECT_EQ(0u, size);
    size = 84;
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevGetMagInfo(h, nullptr, &size));

    VRXMAGDETAILINFO details[2] = {};
    size = sizeof details;
    ASSERT_EQ(1u, vrxDevGetAllMagInfo(h, details, &size));
    EXPECT_EQ(280u, size);
    EXPECT_EQ(1520u, details[1].dwWidth);
    EXPECT_GT(strlen(details[1].szPaperName), 0u);
    EXPECT_EQ(1, details[0].PaperTypeValid);
}

TEST_F(CallOrder, EachPrinterKeepsItsOwnClock) {
    Open();
    HVRXPRINTER h1 = OpenPrinter(Ip(127, 0, 0, 1));
    HVRXPRINTER h2 = OpenPrinter(Ip(127, 0, 0, 2));
    VRXTIMEINFO set{2031, 1, 2, 0, 3, 4, 5};
    ASSERT_EQ(1u, vrxDevSetTime(h1, &set));
    VRXTIMEINFO got{}, other{};
    ASSERT_EQ(1u, vrxDevGetTime(h1, &got));
    ASSERT_EQ(1u, vrxDevGetTime(h2, &other));
    EXPECT_EQ(2031u, got.dwYear);
    EXPECT_EQ(1u, got.dwMonth);
    EXPECT_EQ(2u, got.dwDay);
    EXPECT_EQ(4u, got.dwDayofweek);  // 2031-01-02 is a Thursday
    EXPECT_EQ(3u, got.dwHour);
    EXPECT_EQ(4u, got.dwMinute);
    EXPECT_NE(2031u, other.dwYear);
    VRXTIMEINFO bad{2031, 2, 30, 0, 0, 0, 0};
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevSetTime(h1, &bad));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevSetTime(h1, nullptr));
}

TEST_F(CallOrder, ProfileIsWrittenToTheGivenPath) {
    Open();
    HVRXPRINTER h = OpenPrinter();
    VRXPAPERINFO paper{};
    paper.dwWidth = 1270;
    paper.dwSurface = 2;
    memset(paper.szPaperName, 'P', sizeof paper.szPaperName);  // no terminator: read no further than the field
    std::string path = m_dir.File("paper.icc");
    ASSERT_EQ(1u, vrxDevGetProfile(h, path.c_str(), &paper));
    std::string text = ReadFile(path);
    EXPECT_NE(std::string::npos, text.find("paper=\"" + std::string(64, 'P') + "\" width=1270 surface=2"));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_SYSERR), vrxDevGetProfile(h, m_dir.File("no/such/dir/p.icc").c_str(), &paper));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevGetProfile(h, "", &paper));
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_BADPARAM), vrxDevGetProfile(h, path.c_str(), nullptr));
}

TEST_F(CallOrder, JournalRecordsEveryCallWithItsArguments) {
    std::string journal = m_dir.File("calls.log");
    Open("[Journal]\nFile=calls.log\n[ForcedResults]\nvrxDevIsReady=16\n");
    HVRXPRINTER h = OpenPrinter(Ip(127, 0, 0, 2));
    uint32_t order = StartOrder(h);
    uint32_t id = Print(h, order, 3);
    EXPECT_EQ(static_cast<uint32_t>(VRXERR_TIMEOUT), vrxDevIsReady(h));
    HVRXPRINTER unused = 0;
    vrxDevOpen(Ip(10, 0, 0, 1), &unused, nullptr, nullptr);
    vrxLibClose();

    std::vector<std::string> lines = Lines(ReadFile(journal));
    auto find = [&lines](const std::string& start) {
        for (const auto& l : lines) {
            if (l.rfind(start, 0) == 0) return l;
        }
        return std::string();
    };
    char handle[16];
    snprintf(handle, sizeof handle, "0x%08X", h);
    EXPECT_EQ(0u, find("vrxLibOpen lpLogFileName=(null) result=1(VRXERR_NORMAL)").find("vrxLibOpen"));
    std::string open = find("vrxDevOpen dwIPAddress=127.0.0.2 ");
    EXPECT_NE(std::string::npos, open.find(std::string("result=1(VRXERR_NORMAL) *phPrinter=") + handle)) << open;
    EXPECT_NE("", find("vrxDevOpen dwIPAddress=10.0.0.1 ")) << "refused calls are journaled too";
    std::string print = find(std::string("vrxDevPrint hPrinter=") + handle);
    EXPECT_NE(std::string::npos, print.find("dwPrintNum=3")) << print;
    EXPECT_NE(std::string::npos, print.find("pName=\"" + m_imagePath + "\"")) << print;
    EXPECT_NE(std::string::npos, print.find("*pPrintID=" + std::to_string(id))) << print;
    EXPECT_NE(std::string::npos, find("vrxDevIsReady").find("result=16(VRXERR_TIMEOUT) forced"));
    EXPECT_NE("", find("vrxLibClose result=1(VRXERR_NORMAL)"));
}

TEST_F(CallOrder, LibraryLogFollowsSectionLog) {
    std::string ini = m_dir.File("ZembrinPrinter.ini");
    std::string log = m_dir.File("lib.log");
    WriteFile(ini, "[log]\nlogger=SimUnderTest\nmaxline=100\nfilename=" + log +
                       "\nlevelfatal=0\nlevelwarn=0\nlevelinfo=0\nleveldebug=1\n");
    m_settingsPath = m_dir.File("ZembrinSim.ini");
    WriteFile(m_settingsPath, "[Simulator]\nTimeScale=0\n");
    vrxsim::SetInstancePlatform(std::make_shared<TestPlatform>(m_settingsPath));
    ASSERT_EQ(1u, vrxLibOpen(ini.c_str()));
    uint16_t count = 0;
    for (int i = 0; i < 120; ++i) vrxSearchPrinter(&count, 0);  // past maxline: the log moves to .1
    ASSERT_EQ(1u, vrxLibClose());
    std::string text = ReadFile(log) + ReadFile(log + ".1");
    EXPECT_NE(std::string::npos, text.find("[INFO ] [SimUnderTest] vrxLibOpen lpLogFileName=\"" + ini + "\""));
    EXPECT_NE(std::string::npos, text.find("vrxLibClose result=1"));
    EXPECT_EQ(std::string::npos, text.find("[DEBUG]")) << "leveldebug=1 switches debug lines off";
    EXPECT_LE(Lines(ReadFile(log)).size(), 100u);
    EXPECT_FALSE(ReadFile(log + ".1").empty());
}

namespace {

// The journal writes a record from its table in sdk/: every field in order,
// whatever its kind, read from any address.
TEST(JournalRecords, EveryKindReadsFromTheRecordsBytes) {
    VRXPRINTINFO print{};
    print.dwImgWidth = 1800;
    print.nEspc = -3;
    std::memcpy(print.szCvpLine1, "a\"b\\", 4);
    print.byWithBorderColor[0] = 255;
    VRXSETUPINFO setup{};
    setup.PrinterTime = VRXTIMEINFO{2024, 2, 29, 4, 13, 5, 9};
    setup.InstallationDate = VRXDATEINFO{2023, 12, 1, 0};
    VRXUNITSTATUSINFO unit{};
    unit.nPrevStatus = 1;
    unit.nStatus = -2;
    struct Row {
        const vrx::RecordDesc& record;
        const void* data;
        size_t size;
        std::vector<std::string> expected;
    } rows[] = {
        {vrx::kPrintInfoRecord, &print, sizeof print,
         {"{ dwImageFormat=0 ", " pName=(null) ", " dwImgWidth=1800 ", " szCvpLine1=\"a\\\"b\\\\\" ", " nEspc=-3 ",
          " byWithBorderColor={255,0,0} ", " wEventCodeMain=0 }"}},
        {vrx::kSetUpInfoRecord, &setup, sizeof setup,
         {" PrinterTime=2024/02/29-13:05:09(dow=4) ", " InstallationDate=2023/12/01 ", " wVrxVersion=0x0000 "}},
        {vrx::kUnitStatusRecord, &unit, sizeof unit, {" Status=1->-2 }"}},
        {vrx::kPrintInfoRecord, nullptr, 0, {"(null)"}},
    };
    for (const Row& row : rows) {
        // One byte off any alignment, as a record inside a byte buffer may lie.
        std::vector<unsigned char> bytes(row.size + 1);
        if (row.data) std::memcpy(bytes.data() + 1, row.data, row.size);
        const std::string text = vrxsim::RecordText(row.record, row.data ? bytes.data() + 1 : nullptr);
        for (const std::string& part : row.expected) EXPECT_NE(std::string::npos, text.find(part)) << part << " in " << text;
    }
}

}  // namespace

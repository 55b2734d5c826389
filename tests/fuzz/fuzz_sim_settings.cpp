// The simulator's settings file: any text parsed as an ini file, and the
// settings built from it. Whatever the text, the settings keep within the
// bounds the library relies on; bad values only add warnings.
//
// Input: the file's text.
#include <cstdint>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "IniFile.h"
#include "SimSettings.h"
#include "VrxSdk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const vrxsim::IniFile ini = vrxsim::IniFile::Parse(in.RestText());

    for (const char* section : {"Simulator", "Journal", "Scenario", "Faults", "ForcedResults", "Burst", "Printer1"}) {
        for (const std::string& key : ini.Keys(section)) FUZZ_CHECK(ini.Get(section, key).has_value());
    }

    const vrxsim::SimSettings s = vrxsim::SimSettings::FromIni(ini, "C:\\lab");
    FUZZ_CHECK(!s.printers.empty() && s.printers.size() <= vrxsim::kMaxPrinters);
    std::set<uint32_t> addresses;
    for (const vrxsim::PrinterConfig& p : s.printers) {
        FUZZ_CHECK(p.address != 0 && addresses.insert(p.address).second);
        uint32_t back = 0;
        FUZZ_CHECK(vrxsim::ParseIpAddress(vrxsim::IpText(p.address), back) && back == p.address);
        FUZZ_CHECK(p.magazines >= 1 && p.magazines <= vrxsim::kMaxMagazines);
        FUZZ_CHECK(p.handleBase != 0 && p.totalCount <= 0x7FFFFFFF);
        FUZZ_CHECK(s.FindPrinter(p.address) == &p);
    }
    FUZZ_CHECK(s.timing.timeScale >= 0 && s.timing.timeScale <= 100);
    FUZZ_CHECK(s.timing.searchMs <= 60000 && s.timing.stepMs <= 60000 && s.timing.replyMs <= 60000);
    FUZZ_CHECK(s.burst.threads >= 1 && s.burst.threads <= 16);
    for (uint32_t code : s.faults.extraCompletionCodes) FUZZ_CHECK(code != COMPLETION_PRINT && code != COMPLETION_ORDER);
    for (const auto& forced : s.faults.forcedResults) {
        bool known = false;
        for (const std::string& name : vrxsim::EntryPointNames()) known = known || name == forced.first;
        FUZZ_CHECK(known);
    }
    return 0;
}

// What the simulator settings file (ZembrinSim.ini) configures: printers,
// timing, scenario events, injected faults, notification bursts and the
// call journal. Every value has a default; bad values fall back to it and
// leave a warning for the library log and the journal.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "IniFile.h"

namespace vrxsim {

constexpr const char* kSettingsFileName = "ZembrinSim.ini";
constexpr unsigned kMaxPrinters = 16;
constexpr unsigned kMaxMagazines = 8;
constexpr uint32_t kMaxLeakBytes = 1048576;
constexpr uint32_t kMaxLeakHandles = 64;
constexpr uint32_t kMaxSlowCallMs = 600000;

struct PrinterConfig {
    std::string section;       // "Printer1" ...; "default" when built in
    uint32_t address = 0;      // first octet in the lowest byte
    uint32_t handleBase = 0;   // first handle; later opens add 0x01000000
    std::string model;
    std::string softName;
    std::string serial;
    std::string nickname;
    uint8_t mac[6] = {};
    uint16_t vrxVersion = 0x0312;
    unsigned magazines = 1;
    bool fad = false;
    bool duplex = false;
    bool hidden = false;       // found only by vrxSearchPrinter2
    uint32_t totalCount = 0;   // prints made before this run
    uint16_t port = 0;
    int clockOffsetMinutes = 0;
};

struct TimingConfig {
    double timeScale = 1.0;    // every delay is multiplied by it; 0 runs at once
    uint32_t searchMs = 300;
    uint32_t stepMs = 150;     // one step of a print's progress
    uint32_t replyMs = 100;    // answers of vrxDevVrxCommand2 and vrxDevVrxNotice
};

struct ScenarioConfig {
    uint32_t paperEndAfterPrints = 0;  // 0: never
    bool eventAtOpen = false;
};

struct FaultConfig {
    std::map<std::string, uint32_t> forcedResults;  // entry-point name -> result
    uint32_t sizeOverstate = 0;
    bool unterminatedText = false;
    std::vector<uint32_t> extraCompletionCodes;
    // Misbehaviour of real libraries, every one off by default.
    uint32_t leakBytes = 0;               // taken by every call, never freed
    uint32_t leakHandles = 0;             // kernel handles opened by every call, never closed
    bool lateNotifications = false;       // after vrxDevClose, and during vrxLibClose
    bool callerThreadCallbacks = false;   // a call's own notifications from inside it
    std::string slowCall;                 // entry point that sleeps slowCallMs (unscaled)
    uint32_t slowCallMs = 1000;
    std::string crashCall;                // entry point that raises an access violation
};

enum class BurstKind { Unit, Event, EventEx };
enum class BurstTrigger { Open, Adjust };

struct BurstConfig {
    uint32_t count = 0;  // 0: no burst
    unsigned threads = 4;
    BurstKind kind = BurstKind::Unit;
    BurstTrigger trigger = BurstTrigger::Adjust;
    uint32_t delayMs = 200;
};

struct SimSettings {
    std::string sourcePath;  // the file read, empty for built-in defaults
    std::vector<PrinterConfig> printers;
    TimingConfig timing;
    ScenarioConfig scenario;
    FaultConfig faults;
    BurstConfig burst;
    std::string journalPath;
    std::vector<std::string> warnings;

    static SimSettings Defaults();
    // folder: where a relative journal path is resolved.
    static SimSettings FromIni(const IniFile& ini, const std::string& folder);
    // Reads path; a missing file gives the defaults without a warning.
    static SimSettings Load(const std::string& path);

    const PrinterConfig* FindPrinter(uint32_t address) const;
};

// "a.b.c.d" to the record form (first octet in the lowest byte).
bool ParseIpAddress(const std::string& text, uint32_t& address);
std::string IpText(uint32_t address);
std::string FolderOf(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);

// Every entry-point name, for checking [ForcedResults] keys.
const std::vector<std::string>& EntryPointNames();

}  // namespace vrxsim

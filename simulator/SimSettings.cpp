#include "SimSettings.h"

#include <algorithm>
#include <cstdio>

#include "VrxEntryPoints.h"

namespace vrxsim {

namespace {

PrinterConfig DefaultPrinter(unsigned index) {
    // Three distinct machines; the first two handle bases share their low
    // 16 bits so the console's handle bookkeeping is tested on that case.
    static const char* const kModels[] = {"VRX-D700", "VRX-D500", "VRX-D900"};
    static const char* const kSoft[] = {"D700FW 3.12.0", "D500FW 2.04.7", "D900FW 4.01.2"};
    static const char* const kNick[] = {"FRONT-LAB", "BACKROOM", "MINI-1"};
    static const uint32_t kBases[] = {0x00A40011, 0x00B70011, 0x00C20023};
    static const uint16_t kVersions[] = {0x0312, 0x0204, 0x0401};
    PrinterConfig p;
    unsigned slot = (index - 1) % 3;
    p.section = "Printer" + std::to_string(index);
    p.address = 127u | (index << 24);
    p.handleBase = index <= 3 ? kBases[slot] : ((0xA0u + index) << 16) | (0x10u + index);
    p.model = kModels[slot];
    p.softName = kSoft[slot];
    char serial[20];
    std::snprintf(serial, sizeof serial, "ZS%02X%06u", 0x70 + index, 104200u + index * 37u);
    p.serial = serial;
    p.nickname = index <= 3 ? kNick[slot] : "PRINTER-" + std::to_string(index);
    const uint8_t mac[6] = {0x02, 0x5A, 0x53, 0x10, static_cast<uint8_t>(index >> 8), static_cast<uint8_t>(index)};
    for (int i = 0; i < 6; ++i) p.mac[i] = mac[i];
    p.vrxVersion = kVersions[slot];
    p.magazines = slot == 0 ? 2 : (slot == 1 ? 1 : 4);
    p.fad = slot == 0;
    p.duplex = slot == 2;
    p.totalCount = 18230u + index * 5111u;
    p.port = static_cast<uint16_t>(5000 + index);
    p.clockOffsetMinutes = 0;
    return p;
}

// Reads one settings file into SimSettings, a section at a time; a bad value
// keeps its default and leaves a warning, in the order of the file's sections.
class SettingsReader {
public:
    SettingsReader(const IniFile& ini, SimSettings& settings) : m_ini(ini), m_settings(settings) {}

    void ReadTiming();
    void ReadJournal(const std::string& folder);
    void ReadScenario();
    void ReadFaults();
    void ReadBurst();
    void ReadPrinters();

private:
    long long Int(const std::string& section, const std::string& key, long long fallback, long long low,
                  long long high) {
        const auto text = m_ini.Get(section, key);
        if (!text) return fallback;
        const auto value = ParseInteger(*text);
        if (!value || *value < low || *value > high) {
            Warn("[" + section + "] " + key + "=" + *text + ": not a number from " + std::to_string(low) + " to " +
                 std::to_string(high) + ", using " + std::to_string(fallback));
            return fallback;
        }
        return *value;
    }
    bool Bool(const std::string& section, const std::string& key, bool fallback) {
        return Int(section, key, fallback ? 1 : 0, 0, 1) != 0;
    }
    std::string Text(const std::string& section, const std::string& key, const std::string& fallback) {
        return m_ini.GetString(section, key, fallback);
    }
    void Warn(const std::string& warning) { m_settings.warnings.push_back(warning); }
    void ReadCompletionCodes();
    void ReadForcedResults();
    // An entry-point name, or empty (with a warning when it names none).
    std::string EntryPoint(const std::string& section, const std::string& key);
    // False (with a warning) when the section's printer is to be left out.
    bool ReadPrinter(const std::string& section, const std::vector<PrinterConfig>& others, PrinterConfig& printer);

    const IniFile& m_ini;
    SimSettings& m_settings;
};

bool ParseMac(const std::string& text, uint8_t mac[6]) {
    unsigned v[6];
    char tail;
    if (std::sscanf(text.c_str(), "%2x-%2x-%2x-%2x-%2x-%2x%c", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &tail) != 6 &&
        std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &tail) != 6) {
        return false;
    }
    for (int i = 0; i < 6; ++i) mac[i] = static_cast<uint8_t>(v[i]);
    return true;
}

}  // namespace

bool ParseIpAddress(const std::string& text, uint32_t& address) {
    std::string t = Trim(text);
    uint32_t result = 0;
    size_t pos = 0;
    for (int octet = 0; octet < 4; ++octet) {
        size_t start = pos;
        unsigned value = 0;
        while (pos < t.size() && t[pos] >= '0' && t[pos] <= '9' && pos - start < 3) value = value * 10 + (t[pos++] - '0');
        if (pos == start || value > 255) return false;
        result |= value << (8 * octet);
        if (octet < 3) {
            if (pos >= t.size() || t[pos] != '.') return false;
            ++pos;
        }
    }
    if (pos != t.size()) return false;
    address = result;
    return true;
}

std::string IpText(uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", address & 0xFF, (address >> 8) & 0xFF, (address >> 16) & 0xFF,
                  address >> 24);
    return text;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'));
    if (absolute || folder.empty()) return name;
    char last = folder.back();
    if (last == '/' || last == '\\') return folder + name;
    return folder + (folder.find('\\') != std::string::npos ? "\\" : "/") + name;
}

const std::vector<std::string>& EntryPointNames() {
#define VRX_ENTRY_POINT_NAME(ret, name, params, args, method) #name,
    static const std::vector<std::string> names = {VRX_ENTRY_POINTS(VRX_ENTRY_POINT_NAME)};
#undef VRX_ENTRY_POINT_NAME
    return names;
}

SimSettings SimSettings::Defaults() {
    SimSettings s;
    for (unsigned i = 1; i <= 3; ++i) s.printers.push_back(DefaultPrinter(i));
    s.printers[0].section = s.printers[1].section = s.printers[2].section = "default";
    return s;
}

namespace {

void SettingsReader::ReadTiming() {
    const std::string section = "Simulator";
    TimingConfig& timing = m_settings.timing;
    if (const auto text = m_ini.Get(section, "TimeScale")) {
        const auto value = ParseNumber(*text);
        if (value && *value >= 0 && *value <= 100) timing.timeScale = *value;
        else Warn("[Simulator] TimeScale=" + *text + ": not a number from 0 to 100, using 1");
    }
    timing.searchMs = static_cast<uint32_t>(Int(section, "SearchMs", timing.searchMs, 0, 60000));
    timing.stepMs = static_cast<uint32_t>(Int(section, "StepMs", timing.stepMs, 0, 60000));
    timing.replyMs = static_cast<uint32_t>(Int(section, "ReplyMs", timing.replyMs, 0, 60000));
}

void SettingsReader::ReadJournal(const std::string& folder) {
    const std::string journal = Text("Journal", "File", "");
    if (!journal.empty()) m_settings.journalPath = JoinPath(folder, journal);
}

void SettingsReader::ReadScenario() {
    m_settings.scenario.paperEndAfterPrints = static_cast<uint32_t>(Int("Scenario", "PaperEndAfterPrints", 0, 0, 1000000));
    m_settings.scenario.eventAtOpen = Bool("Scenario", "EventAtOpen", false);
}

void SettingsReader::ReadFaults() {
    m_settings.faults.sizeOverstate = static_cast<uint32_t>(Int("Faults", "SizeOverstate", 0, 0, 0x100000));
    m_settings.faults.unterminatedText = Bool("Faults", "UnterminatedText", false);
    ReadCompletionCodes();
    ReadForcedResults();
    FaultConfig& faults = m_settings.faults;
    faults.leakBytes = static_cast<uint32_t>(Int("Faults", "LeakBytes", 0, 0, kMaxLeakBytes));
    faults.leakHandles = static_cast<uint32_t>(Int("Faults", "LeakHandles", 0, 0, kMaxLeakHandles));
    faults.lateNotifications = Bool("Faults", "LateNotifications", false);
    faults.callerThreadCallbacks = Bool("Faults", "CallerThreadCallbacks", false);
    faults.slowCall = EntryPoint("Faults", "SlowCall");
    faults.slowCallMs = static_cast<uint32_t>(Int("Faults", "SlowCallMs", faults.slowCallMs, 0, kMaxSlowCallMs));
    faults.crashCall = EntryPoint("Faults", "Crash");
}

std::string SettingsReader::EntryPoint(const std::string& section, const std::string& key) {
    const std::string name = Trim(Text(section, key, ""));
    const auto& names = EntryPointNames();
    if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) return name;
    Warn("[" + section + "] " + key + "=" + name + ": no such entry point, ignored");
    return "";
}

void SettingsReader::ReadCompletionCodes() {
    const std::string codes = Text("Faults", "CompletionCodes", "");
    for (size_t position = 0; position <= codes.size() && !Trim(codes).empty();) {
        const size_t comma = codes.find(',', position);
        const std::string item =
            codes.substr(position, comma == std::string::npos ? std::string::npos : comma - position);
        const auto code = ParseInteger(item);
        if (code && *code > 0 && *code <= 0xFFFFFFFFll && *code != 3)
            m_settings.faults.extraCompletionCodes.push_back(static_cast<uint32_t>(*code));
        else
            Warn("[Faults] CompletionCodes: '" + Trim(item) + "' is not a code other than 0 and 3, ignored");
        if (comma == std::string::npos) break;
        position = comma + 1;
    }
}

void SettingsReader::ReadForcedResults() {
    const auto& names = EntryPointNames();
    for (const auto& key : m_ini.Keys("ForcedResults")) {
        const bool known = std::find(names.begin(), names.end(), key) != names.end();
        const auto result = ParseInteger(m_ini.GetString("ForcedResults", key, ""));
        if (!known) Warn("[ForcedResults] " + key + ": no such entry point, ignored");
        else if (!result || *result < -0x80000000ll || *result > 0xFFFFFFFFll)
            Warn("[ForcedResults] " + key + ": not a 32-bit number, ignored");
        else m_settings.faults.forcedResults[key] = static_cast<uint32_t>(*result);
    }
}

void SettingsReader::ReadBurst() {
    const std::string section = "Burst";
    BurstConfig& burst = m_settings.burst;
    burst.count = static_cast<uint32_t>(Int(section, "Count", 0, 0, 1000000));
    burst.threads = static_cast<unsigned>(Int(section, "Threads", 4, 1, 16));
    burst.delayMs = static_cast<uint32_t>(Int(section, "DelayMs", 200, 0, 60000));
    const std::string kind = Text(section, "Kind", "unit");
    if (EqualsNoCase(kind, "unit")) burst.kind = BurstKind::Unit;
    else if (EqualsNoCase(kind, "event")) burst.kind = BurstKind::Event;
    else if (EqualsNoCase(kind, "eventex")) burst.kind = BurstKind::EventEx;
    else Warn("[Burst] Kind=" + kind + ": not unit, event or eventex, using unit");
    const std::string trigger = Text(section, "Trigger", "adjust");
    if (EqualsNoCase(trigger, "open")) burst.trigger = BurstTrigger::Open;
    else if (EqualsNoCase(trigger, "adjust")) burst.trigger = BurstTrigger::Adjust;
    else Warn("[Burst] Trigger=" + trigger + ": not open or adjust, using adjust");
}

// Any [PrinterN] section replaces the three built-in printers.
void SettingsReader::ReadPrinters() {
    std::vector<PrinterConfig> printers;
    for (unsigned index = 1; index <= kMaxPrinters; ++index) {
        const std::string section = "Printer" + std::to_string(index);
        PrinterConfig printer = DefaultPrinter(index);
        if (m_ini.HasSection(section) && ReadPrinter(section, printers, printer)) printers.push_back(printer);
    }
    if (!printers.empty()) m_settings.printers = printers;
}

bool SettingsReader::ReadPrinter(const std::string& section, const std::vector<PrinterConfig>& others,
                                 PrinterConfig& printer) {
    const std::string address = Text(section, "Address", "");
    if (!ParseIpAddress(address, printer.address) || printer.address == 0) {
        Warn("[" + section + "] Address=" + address + ": not a dotted IPv4 address, printer left out");
        return false;
    }
    for (const auto& other : others) {
        if (other.address != printer.address) continue;
        Warn("[" + section + "] Address=" + address + ": already used by another printer, printer left out");
        return false;
    }
    printer.handleBase = static_cast<uint32_t>(Int(section, "HandleBase", printer.handleBase, 1, 0xFFFFFFFFll));
    printer.model = Text(section, "Model", printer.model);
    printer.softName = Text(section, "SoftName", printer.softName);
    printer.serial = Text(section, "Serial", printer.serial);
    printer.nickname = Text(section, "Nickname", printer.nickname);
    const std::string mac = Text(section, "Mac", "");
    if (!mac.empty() && !ParseMac(mac, printer.mac))
        Warn("[" + section + "] Mac=" + mac + ": not six hex pairs, using the default");
    printer.vrxVersion = static_cast<uint16_t>(Int(section, "VrxVersion", printer.vrxVersion, 0, 0xFFFF));
    printer.magazines = static_cast<unsigned>(Int(section, "Magazines", printer.magazines, 1, kMaxMagazines));
    printer.fad = Bool(section, "Fad", printer.fad);
    printer.duplex = Bool(section, "Duplex", printer.duplex);
    printer.hidden = Bool(section, "Hidden", false);
    printer.totalCount = static_cast<uint32_t>(Int(section, "TotalCount", printer.totalCount, 0, 0x7FFFFFFF));
    printer.port = static_cast<uint16_t>(Int(section, "Port", printer.port, 0, 0xFFFF));
    printer.clockOffsetMinutes =
        static_cast<int>(Int(section, "ClockOffsetMinutes", 0, -525600 * 50, 525600 * 50));
    return true;
}

}  // namespace

SimSettings SimSettings::FromIni(const IniFile& ini, const std::string& folder) {
    SimSettings settings = Defaults();
    SettingsReader reader(ini, settings);
    reader.ReadTiming();
    reader.ReadJournal(folder);
    reader.ReadScenario();
    reader.ReadFaults();
    reader.ReadBurst();
    reader.ReadPrinters();
    return settings;
}

SimSettings SimSettings::Load(const std::string& path) {
    IniFile ini;
    if (path.empty() || !IniFile::Load(path, ini)) return Defaults();
    SimSettings s = FromIni(ini, FolderOf(path));
    s.sourcePath = path;
    return s;
}

const PrinterConfig* SimSettings::FindPrinter(uint32_t address) const {
    for (const auto& p : printers) {
        if (p.address == address) return &p;
    }
    return nullptr;
}

}  // namespace vrxsim

#include "SimSettings.h"

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

struct Reader {
    const IniFile& ini;
    std::vector<std::string>& warnings;

    long long Int(const std::string& section, const std::string& key, long long fallback, long long lo, long long hi) {
        auto text = ini.Get(section, key);
        if (!text) return fallback;
        auto v = ParseInteger(*text);
        if (!v || *v < lo || *v > hi) {
            warnings.push_back("[" + section + "] " + key + "=" + *text + ": not a number from " + std::to_string(lo) +
                               " to " + std::to_string(hi) + ", using " + std::to_string(fallback));
            return fallback;
        }
        return *v;
    }
    bool Bool(const std::string& section, const std::string& key, bool fallback) {
        return Int(section, key, fallback ? 1 : 0, 0, 1) != 0;
    }
    std::string Text(const std::string& section, const std::string& key, const std::string& fallback) {
        return ini.GetString(section, key, fallback);
    }
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

SimSettings SimSettings::FromIni(const IniFile& ini, const std::string& folder) {
    SimSettings s = Defaults();
    Reader r{ini, s.warnings};

    const std::string sim = "Simulator";
    if (auto t = ini.Get(sim, "TimeScale")) {
        auto v = ParseNumber(*t);
        if (v && *v >= 0 && *v <= 100) s.timing.timeScale = *v;
        else s.warnings.push_back("[Simulator] TimeScale=" + *t + ": not a number from 0 to 100, using 1");
    }
    s.timing.searchMs = static_cast<uint32_t>(r.Int(sim, "SearchMs", s.timing.searchMs, 0, 60000));
    s.timing.stepMs = static_cast<uint32_t>(r.Int(sim, "StepMs", s.timing.stepMs, 0, 60000));
    s.timing.replyMs = static_cast<uint32_t>(r.Int(sim, "ReplyMs", s.timing.replyMs, 0, 60000));

    std::string journal = r.Text("Journal", "File", "");
    if (!journal.empty()) s.journalPath = JoinPath(folder, journal);

    s.scenario.paperEndAfterPrints = static_cast<uint32_t>(r.Int("Scenario", "PaperEndAfterPrints", 0, 0, 1000000));
    s.scenario.eventAtOpen = r.Bool("Scenario", "EventAtOpen", false);

    const std::string faults = "Faults";
    s.faults.sizeOverstate = static_cast<uint32_t>(r.Int(faults, "SizeOverstate", 0, 0, 0x100000));
    s.faults.unterminatedText = r.Bool(faults, "UnterminatedText", false);
    std::string codes = r.Text(faults, "CompletionCodes", "");
    size_t pos = 0;
    while (pos <= codes.size() && !Trim(codes).empty()) {
        size_t comma = codes.find(',', pos);
        std::string item = codes.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        auto v = ParseInteger(item);
        if (v && *v >= 0 && *v <= 0xFFFFFFFFll && *v != 0 && *v != 3) s.faults.extraCompletionCodes.push_back(static_cast<uint32_t>(*v));
        else s.warnings.push_back("[Faults] CompletionCodes: '" + Trim(item) + "' is not a code other than 0 and 3, ignored");
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    for (const auto& key : ini.Keys("ForcedResults")) {
        bool known = false;
        for (const auto& name : EntryPointNames()) known = known || name == key;
        auto v = ParseInteger(ini.GetString("ForcedResults", key, ""));
        if (!known) s.warnings.push_back("[ForcedResults] " + key + ": no such entry point, ignored");
        else if (!v || *v < -0x80000000ll || *v > 0xFFFFFFFFll) s.warnings.push_back("[ForcedResults] " + key + ": not a 32-bit number, ignored");
        else s.faults.forcedResults[key] = static_cast<uint32_t>(*v);
    }

    const std::string burst = "Burst";
    s.burst.count = static_cast<uint32_t>(r.Int(burst, "Count", 0, 0, 1000000));
    s.burst.threads = static_cast<unsigned>(r.Int(burst, "Threads", 4, 1, 16));
    s.burst.delayMs = static_cast<uint32_t>(r.Int(burst, "DelayMs", 200, 0, 60000));
    std::string kind = r.Text(burst, "Kind", "unit");
    if (EqualsNoCase(kind, "unit")) s.burst.kind = BurstKind::Unit;
    else if (EqualsNoCase(kind, "event")) s.burst.kind = BurstKind::Event;
    else if (EqualsNoCase(kind, "eventex")) s.burst.kind = BurstKind::EventEx;
    else s.warnings.push_back("[Burst] Kind=" + kind + ": not unit, event or eventex, using unit");
    std::string trigger = r.Text(burst, "Trigger", "adjust");
    if (EqualsNoCase(trigger, "open")) s.burst.trigger = BurstTrigger::Open;
    else if (EqualsNoCase(trigger, "adjust")) s.burst.trigger = BurstTrigger::Adjust;
    else s.warnings.push_back("[Burst] Trigger=" + trigger + ": not open or adjust, using adjust");

    // Printers: any [PrinterN] section replaces the three built-in ones.
    std::vector<PrinterConfig> printers;
    for (unsigned i = 1; i <= kMaxPrinters; ++i) {
        std::string sec = "Printer" + std::to_string(i);
        if (!ini.HasSection(sec)) continue;
        PrinterConfig p = DefaultPrinter(i);
        std::string addr = r.Text(sec, "Address", "");
        if (!ParseIpAddress(addr, p.address) || p.address == 0) {
            s.warnings.push_back("[" + sec + "] Address=" + addr + ": not a dotted IPv4 address, printer left out");
            continue;
        }
        bool duplicate = false;
        for (const auto& q : printers) duplicate = duplicate || q.address == p.address;
        if (duplicate) {
            s.warnings.push_back("[" + sec + "] Address=" + addr + ": already used by another printer, printer left out");
            continue;
        }
        p.handleBase = static_cast<uint32_t>(r.Int(sec, "HandleBase", p.handleBase, 1, 0xFFFFFFFFll));
        p.model = r.Text(sec, "Model", p.model);
        p.softName = r.Text(sec, "SoftName", p.softName);
        p.serial = r.Text(sec, "Serial", p.serial);
        p.nickname = r.Text(sec, "Nickname", p.nickname);
        std::string mac = r.Text(sec, "Mac", "");
        if (!mac.empty() && !ParseMac(mac, p.mac)) s.warnings.push_back("[" + sec + "] Mac=" + mac + ": not six hex pairs, using the default");
        p.vrxVersion = static_cast<uint16_t>(r.Int(sec, "VrxVersion", p.vrxVersion, 0, 0xFFFF));
        p.magazines = static_cast<unsigned>(r.Int(sec, "Magazines", p.magazines, 1, kMaxMagazines));
        p.fad = r.Bool(sec, "Fad", p.fad);
        p.duplex = r.Bool(sec, "Duplex", p.duplex);
        p.hidden = r.Bool(sec, "Hidden", false);
        p.totalCount = static_cast<uint32_t>(r.Int(sec, "TotalCount", p.totalCount, 0, 0x7FFFFFFF));
        p.port = static_cast<uint16_t>(r.Int(sec, "Port", p.port, 0, 0xFFFF));
        p.clockOffsetMinutes = static_cast<int>(r.Int(sec, "ClockOffsetMinutes", 0, -525600 * 50, 525600 * 50));
        printers.push_back(p);
    }
    if (!printers.empty()) s.printers = printers;
    return s;
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

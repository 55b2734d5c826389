#include "SdkCoverage.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "VrxEntryPoints.h"

namespace scenario {

namespace {

// What the console calls, untraced, after each open the library accepted;
// the connect mode only when VrxClient.ini's hidden section sets one.
const char* const kSetUpAtOpen[] = {"vrxSetCustomMode", "vrxSetTempFolder", "vrxSetCompletionProcMode"};
constexpr char kConnectMode[] = "vrxSetConnectMode";

bool SetsConnectMode(const std::string& consoleIni) {
    size_t section = consoleIni.find("[KORVALEN]");
    if (section == std::string::npos) return false;
    const size_t end = consoleIni.find("\n[", section);
    const std::string body = consoleIni.substr(section, end == std::string::npos ? std::string::npos : end - section);
    const size_t key = body.find(std::string("\n") + kConnectMode + "=");
    return key != std::string::npos && std::atoi(body.c_str() + key + sizeof kConnectMode + 1) != 0;
}

// "[tag] [name] message": the tag, the name and the message.
bool SplitLine(const std::string& line, std::string& tag, std::string& name, std::string& message) {
    if (line.size() < 8 || line[0] != '[' || line.compare(4, 3, "] [") != 0) return false;
    const size_t close = line.find(']', 7);
    if (close == std::string::npos) return false;
    tag = line.substr(1, 3);
    name = line.substr(7, close - 7);
    message = close + 2 <= line.size() ? line.substr(close + 2) : std::string();
    return true;
}

}  // namespace

std::vector<SdkCoverage::EntryPoint> SdkCoverage::Initial() {
    std::vector<EntryPoint> entries;
#define VRX_COVERED_NAME(ret, entry, params, args, method) entries.emplace_back().name = #entry;
    VRX_ENTRY_POINTS(VRX_COVERED_NAME)
#undef VRX_COVERED_NAME
    return entries;
}

SdkCoverage::EntryPoint* SdkCoverage::Find(const std::string& name) {
    const auto found = std::find_if(m_entryPoints.begin(), m_entryPoints.end(),
                                    [&](const EntryPoint& e) { return e.name == name; });
    return found == m_entryPoints.end() ? nullptr : &*found;
}

void SdkCoverage::AddRun(const std::vector<std::string>& trace, const std::string& consoleIni) {
    const bool connectMode = SetsConnectMode(consoleIni);
    std::string tag, name, message;
    for (const std::string& line : trace) {
        if (!SplitLine(line, tag, name, message)) continue;
        if (tag == ">>>") {
            ++m_notifications[name];
            continue;
        }
        EntryPoint* entry = Find(name);
        if (!entry) continue;
        if (tag == "<==") ++entry->calls;
        if (tag != "==>" || message.compare(0, 7, "return=") != 0) continue;
        const std::string result = message.substr(7, message.find(',') == std::string::npos ? std::string::npos
                                                                                             : message.find(',') - 7);
        ++entry->results[result];
        if (name != "vrxLibOpen" || result != "VRXERR_NORMAL") continue;
        for (const char* setUp : kSetUpAtOpen) ++Find(setUp)->atOpen;
        if (connectMode) ++Find(kConnectMode)->atOpen;
    }
}

std::vector<std::string> SdkCoverage::NeverCalled() const {
    std::vector<std::string> names;
    for (const EntryPoint& e : m_entryPoints)
        if (e.calls + e.atOpen == 0) names.push_back(e.name);
    return names;
}

namespace {

std::string Results(const std::map<std::string, int>& results) {
    std::string text;
    for (const auto& r : results) text += (text.empty() ? "" : ", ") + r.first + " x" + std::to_string(r.second);
    return text;
}

}  // namespace

std::string SdkCoverage::Table() const {
    std::string table = "entry point\tcalls\tset-up calls at open (untraced)\tresults\r\n";
    for (const EntryPoint& e : m_entryPoints)
        table += e.name + "\t" + std::to_string(e.calls) + "\t" + std::to_string(e.atOpen) + "\t" + Results(e.results) + "\r\n";
    table += "\r\nnotification\tarrived\r\n";
    for (const auto& n : m_notifications) table += n.first + "\t" + std::to_string(n.second) + "\r\n";
    return table;
}

std::string SdkCoverage::Text() const {
    size_t width = 0;
    for (const EntryPoint& e : m_entryPoints) width = std::max(width, e.name.size());
    int called = 0;
    std::string rows;
    for (const EntryPoint& e : m_entryPoints) {
        if (e.calls + e.atOpen == 0) continue;
        ++called;
        char calls[16];
        std::snprintf(calls, sizeof calls, "%4d", e.calls);
        std::string row = e.name + std::string(width + 1 - e.name.size(), ' ') + calls;
        if (e.atOpen) row += " (+" + std::to_string(e.atOpen) + " at open, untraced)";
        rows += row + (e.results.empty() ? "" : "  " + Results(e.results)) + "\n";
    }
    std::string text = "SDK coverage: " + std::to_string(called) + " of " + std::to_string(m_entryPoints.size()) +
                       " entry points called\n" + rows;
    std::string notifications;
    for (const auto& n : m_notifications) notifications += (notifications.empty() ? "" : ", ") + n.first + " x" + std::to_string(n.second);
    text += "notifications: " + (notifications.empty() ? std::string("none") : notifications) + "\n";
    std::string never;
    for (const std::string& name : NeverCalled()) never += (never.empty() ? "" : ", ") + name;
    return text + "never called: " + (never.empty() ? std::string("none") : never) + "\n";
}

}  // namespace scenario

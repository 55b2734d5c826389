#include "ScenarioFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace scenario {

namespace {

constexpr uint32_t kDefaultTimeoutMs = 5000;
constexpr uint32_t kLongestTimeoutMs = 600000;

// One step's words: what follows its name, letter by letter.
//   c caption or control id   n caption   i control id   v value   b on|off
//   a IPv4 address   s section   k key   p expected line   m optional milliseconds
//   t a typed value
// and what the step needs (StepNeeds).
struct StepSyntax {
    const char* word;
    StepKind kind;
    const char* arguments;
    StepNeeds needs;
};

constexpr StepNeeds kConsole = StepNeeds::Console;
constexpr StepNeeds kDialog = StepNeeds::Dialog;
constexpr StepNeeds kReads = StepNeeds::Nothing;

const StepSyntax kSteps[] = {
    {"press", StepKind::Press, "c", kConsole},     {"dialog", StepKind::Dialog, "n", kConsole},
    {"set", StepKind::Set, "it", kDialog},         {"check", StepKind::Check, "ib", kDialog},
    {"choose", StepKind::Choose, "iv", kDialog},   {"ip", StepKind::Ip, "ia", kDialog},
    {"file", StepKind::File, "it", kDialog},       {"ok", StepKind::Ok, "", kDialog},
    {"cancel", StepKind::Cancel, "", kDialog},     {"button", StepKind::Button, "i", kDialog},
    {"expect", StepKind::Expect, "p", kReads},     {"wait", StepKind::Wait, "pm", kReads},
    {"none", StepKind::None, "p", kReads},         {"key", StepKind::Key, "skp", kReads},
    {"pending", StepKind::Pending, "p", kReads},   {"message", StepKind::Message, "p", kConsole},
    {"printer", StepKind::Printer, "p", kConsole}, {"gone", StepKind::Gone, "pm", kReads},
    {"text", StepKind::Text, "ip", kReads},        {"hidden", StepKind::Hidden, "c", kReads},
    {"shown", StepKind::Shown, "c", kReads},
};

bool ParseNumber(const std::string& word, uint32_t low, uint32_t high, uint32_t& value) {
    if (word.empty() || word.size() > 9 || !std::all_of(word.begin(), word.end(), [](char c) {
            return c >= '0' && c <= '9';
        }))
        return false;
    value = static_cast<uint32_t>(std::strtoul(word.c_str(), nullptr, 10));
    return value >= low && value <= high;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsIpAddress(const std::string& word) {
    unsigned parts[4];
    char tail;
    if (std::sscanf(word.c_str(), "%3u.%3u.%3u.%3u%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail) != 4)
        return false;
    return std::all_of(std::begin(parts), std::end(parts), [](unsigned p) { return p <= 255; }) &&
           std::all_of(word.begin(), word.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); });
}

// Lines of a settings file, section by section in their first order.
class IniText {
public:
    void Add(const std::string& section, const std::string& key, const std::string& value) {
        auto found = std::find_if(m_sections.begin(), m_sections.end(),
                                  [&](const auto& s) { return s.first == section; });
        if (found == m_sections.end()) found = m_sections.insert(m_sections.end(), {section, std::string()});
        found->second += key + "=" + value + "\r\n";
    }
    std::string Text() const {
        std::string text;
        for (const auto& section : m_sections) text += "[" + section.first + "]\r\n" + section.second;
        return text;
    }

private:
    std::vector<std::pair<std::string, std::string>> m_sections;
};

class Reader {
public:
    explicit Reader(Scenario& scenario) : m_scenario(scenario) {}
    bool ReadLine(const std::vector<std::string>& words, int line, std::string& error);
    void Finish() {
        m_scenario.simulatorIni = m_simulator.Text();
        m_scenario.consoleIni = m_console.Text();
    }

private:
    bool ReadSetup(const std::vector<std::string>& words, std::string& error);
    bool ReadArgument(char kind, const std::string& word, Step& step, std::string& error);

    Scenario& m_scenario;
    IniText m_simulator;
    IniText m_console;
    bool ReadFixture(const std::vector<std::string>& words, std::string& error);

    std::vector<std::string> m_captured{kRunFolder};
    uint32_t m_timeoutMs = kDefaultTimeoutMs;
    bool m_inDialog = false;
};

bool Reader::ReadSetup(const std::vector<std::string>& words, std::string& error) {
    if (words.size() != 4) {
        error = "\"" + words[0] + "\" takes a section, a key and a value";
        return false;
    }
    if (!m_scenario.steps.empty()) {
        error = "\"" + words[0] + "\" must come before the first step: the files are written before the console starts";
        return false;
    }
    const std::string& section = words[1];
    const std::string& key = words[2];
    const bool oneLine = (section + key + words[3]).find('\r') == std::string::npos;
    if (!oneLine || section.find_first_of("[]") != std::string::npos || key.find('=') != std::string::npos ||
        key.empty()) {
        error = "a section without brackets and a key without '=' are needed, each on one line";
        return false;
    }
    (words[0] == "sim" ? m_simulator : m_console).Add(section, key, words[3]);
    return true;
}

// Only a plain name, so that a fixture lands in the run folder and replaces
// none of the console's own files there.
bool Reader::ReadFixture(const std::vector<std::string>& words, std::string& error) {
    if (words.size() != 3) {
        error = "\"fixture\" takes a file name and its text";
        return false;
    }
    if (!m_scenario.steps.empty()) {
        error = "\"fixture\" must come before the first step: the files are written before the console starts";
        return false;
    }
    const std::string name = Lower(words[1]);
    if (!IsFixtureName(name)) {
        error = "\"" + words[1] + "\": a fixture is a plain file name (no folder), and none of the console's own files";
        return false;
    }
    for (const auto& fixture : m_scenario.fixtures) {
        if (Lower(fixture.first) != name) continue;
        error = "\"" + words[1] + "\" is written twice";
        return false;
    }
    m_scenario.fixtures.emplace_back(words[1], words[2]);
    return true;
}

bool Reader::ReadArgument(char kind, const std::string& word, Step& step, std::string& error) {
    uint32_t number = 0;
    switch (kind) {
        case 'c':
            if (ParseNumber(word, 1, 65535, number)) step.id = static_cast<int>(number);
            else step.target = word;
            return true;
        case 'n':
        case 's': step.target = word; return true;
        case 'k':
        case 'v': step.value = word; return true;
        case 't': step.value = word; return CheckTypedValue(word, m_captured, error);
        case 'i':
            if (!ParseNumber(word, 1, 65535, number)) {
                error = "\"" + word + "\" is not a control id (1 to 65535)";
                return false;
            }
            step.id = static_cast<int>(number);
            return true;
        case 'b':
            if (word != "on" && word != "off") {
                error = "\"" + word + "\": on or off";
                return false;
            }
            step.value = word;
            return true;
        case 'a':
            if (!IsIpAddress(word)) {
                error = "\"" + word + "\" is not an IPv4 address (a.b.c.d)";
                return false;
            }
            step.value = word;
            return true;
        case 'p': return step.expected.Compile(word, m_captured, error);
        case 'm':
            if (!ParseNumber(word, 0, kLongestTimeoutMs, number)) {
                error = "\"" + word + "\" is not a time-out in milliseconds (0 to " + std::to_string(kLongestTimeoutMs) + ")";
                return false;
            }
            step.timeoutMs = number;
            return true;
    }
    return false;
}

bool Reader::ReadLine(const std::vector<std::string>& words, int line, std::string& error) {
    const std::string& name = words[0];
    if (name == "sim" || name == "setting") return ReadSetup(words, error);
    if (name == "fixture") return ReadFixture(words, error);
    if (name == "timeout") {
        if (words.size() != 2 || !ParseNumber(words[1], 1, kLongestTimeoutMs, m_timeoutMs)) {
            error = "\"timeout\" takes milliseconds (1 to " + std::to_string(kLongestTimeoutMs) + ")";
            return false;
        }
        return true;
    }
    const auto syntax = std::find_if(std::begin(kSteps), std::end(kSteps),
                                     [&](const StepSyntax& s) { return name == s.word; });
    if (syntax == std::end(kSteps)) {
        error = "\"" + name + "\" is not a step";
        return false;
    }
    const std::string arguments = syntax->arguments;
    const size_t required = arguments.size() - std::count(arguments.begin(), arguments.end(), 'm');
    if (words.size() - 1 < required || words.size() - 1 > arguments.size()) {
        error = "\"" + name + "\" takes " + std::to_string(required) +
                (required == arguments.size() ? "" : " or " + std::to_string(arguments.size())) + " argument" +
                (arguments.size() == 1 ? "" : "s") + ", not " + std::to_string(words.size() - 1);
        return false;
    }
    if (syntax->needs == StepNeeds::Dialog && !m_inDialog) {
        error = "\"" + name + "\" needs a dialog: name it first with a \"dialog\" step";
        return false;
    }
    Step step;
    step.line = line;
    for (const std::string& word : words) step.source += (step.source.empty() ? "" : " ") + QuoteWord(word);
    step.kind = syntax->kind;
    step.needs = syntax->needs;
    step.timeoutMs = m_timeoutMs;
    for (size_t i = 1; i < words.size(); ++i) {
        if (!ReadArgument(arguments[i - 1], words[i], step, error)) return false;
    }
    if (step.kind == StepKind::Dialog) m_inDialog = true;
    // A message right after OK is the dialog refusing a value: it stays open.
    const bool refusal = step.kind == StepKind::Message && !m_scenario.steps.empty() &&
                         m_scenario.steps.back().kind == StepKind::Ok;
    if (refusal) m_inDialog = true;
    if (step.kind == StepKind::Ok || step.kind == StepKind::Cancel) m_inDialog = false;
    m_scenario.steps.push_back(std::move(step));
    return true;
}

}  // namespace

bool SplitLine(const std::string& line, std::vector<std::string>& words) {
    words.clear();
    size_t at = 0;
    for (;;) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        if (at == line.size() || line[at] == '#') return true;
        std::string word;
        if (line[at] == '"') {
            for (++at;; ++at) {
                if (at == line.size()) return false;
                if (line[at] == '"') break;
                const char next = at + 1 < line.size() ? line[at + 1] : '\0';
                if (line[at] == '\\' && (next == '"' || next == '\\' || next == 'r' || next == 'n')) {
                    ++at;
                    word += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
                    continue;
                }
                word += line[at];
            }
            ++at;
        } else {
            while (at < line.size() && line[at] != ' ' && line[at] != '\t') word += line[at++];
        }
        words.push_back(word);
    }
}

bool IsFixtureName(const std::string& name) {
    const std::string lower = Lower(name);
    const bool own = lower.compare(0, 9, "vrxclient") == 0 || lower == "zembrinsim.ini" ||
                     (lower.size() > 4 && (lower.compare(lower.size() - 4, 4, ".dll") == 0 ||
                                           lower.compare(lower.size() - 4, 4, ".exe") == 0));
    const bool plain = !lower.empty() && lower.size() <= 100 &&
                       lower.find_first_of("\\/:*?\"<>|\r\n") == std::string::npos &&
                       lower.find_first_not_of('.') != std::string::npos;
    return plain && !own;
}

bool CheckTypedValue(const std::string& text, const std::vector<std::string>& known, std::string& error) {
    return WalkPlaceholders(
        text, ':', [](char) {},
        [&](const std::string& name, const std::string& conversion, bool) {
            if (!conversion.empty() && conversion != "dec") {
                error = "\"{" + name + ":" + conversion + "}\": only \":dec\" may follow a name";
                return false;
            }
            if (std::find(known.begin(), known.end(), name) != known.end()) return true;
            error = "\"{" + name + "}\": no value of that name was captured before";
            return false;
        });
}

std::string ExpandTypedValue(const std::string& text, const Captures& captures) {
    std::string typed;
    WalkPlaceholders(
        text, ':', [&](char c) { typed += c; },
        [&](const std::string& name, const std::string& conversion, bool) {
            const auto found = captures.find(name);
            const std::string value = found == captures.end() ? std::string() : found->second;
            const std::string digits = value.compare(0, 2, "0x") == 0 ? value.substr(2) : value;
            const bool hex = !digits.empty() && digits.size() <= 16 &&
                             std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
            typed += conversion == "dec" && hex ? std::to_string(std::stoull(digits, nullptr, 16)) : value;
            return true;
        });
    return typed;
}

std::string QuoteWord(const std::string& text) {
    const bool bare = !text.empty() && text.find_first_of(" \t\"#\\\r\n") == std::string::npos;
    if (bare) return text;
    // A line break inside would end the step's line: written as \r and \n.
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    }
    return quoted + "\"";
}

bool ReadScenario(const std::string& text, Scenario& scenario, ScenarioError& error) {
    scenario = Scenario();
    Reader reader(scenario);
    std::vector<std::string> words;
    size_t start = 0;
    // A byte-order mark some editors write is not part of the first step.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
    for (int line = 1; start <= text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string content = text.substr(start, end - start);
        if (!content.empty() && content.back() == '\r') content.pop_back();
        error.line = line;
        if (content.find('\0') != std::string::npos) {
            error.message = "a zero byte: not a text file";
            return false;
        }
        if (!SplitLine(content, words)) {
            error.message = "a quote is not closed";
            return false;
        }
        if (!words.empty() && !reader.ReadLine(words, line, error.message)) return false;
        start = end + 1;
    }
    if (scenario.steps.empty()) {
        error = {0, "no steps"};
        return false;
    }
    reader.Finish();
    error = ScenarioError();
    return true;
}

std::string BuildSpecificLiteral(const std::string& text) {
    auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    for (size_t at = text.find("0x"); at != std::string::npos; at = text.find("0x", at + 2)) {
        size_t end = at + 2;
        while (end < text.size() && hex(text[end])) ++end;
        if (end - at - 2 >= 16) return "\"" + text.substr(at, end - at) + "\" is a pointer of one build: write {ptr} or {null}";
    }
    for (size_t at = 0; at + 2 < text.size(); ++at) {
        const bool wordStart = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
        const bool drive = std::isalpha(static_cast<unsigned char>(text[at])) && text[at + 1] == ':' &&
                           (text[at + 2] == '\\' || text[at + 2] == '/');
        const bool share = text.compare(at, 2, "\\\\") == 0 && std::isalnum(static_cast<unsigned char>(text[at + 2]));
        if (wordStart && (drive || share)) {
            const size_t end = text.find_first_of(" \",", at);
            return "\"" + text.substr(at, end == std::string::npos ? std::string::npos : end - at) +
                   "\" is a file of one machine: name {run} and a fixture";
        }
    }
    return std::string();
}

std::vector<ScenarioError> LintScenario(const std::string& text) {
    Scenario scenario;
    ScenarioError error;
    if (!ReadScenario(text, scenario, error)) return {error};
    std::vector<ScenarioError> found;
    std::vector<std::string> words;
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (int line = 1; start <= text.size(); ++line) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        SplitLine(text.substr(start, end - start), words);
        for (const std::string& word : words) {
            const std::string literal = BuildSpecificLiteral(word);
            if (literal.empty()) continue;
            found.push_back({line, literal});
            break;
        }
        start = end + 1;
    }
    return found;
}

}  // namespace scenario

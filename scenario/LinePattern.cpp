#include "LinePattern.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace scenario {

namespace {

constexpr size_t kMaxPattern = 4096;

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) { return c != ' ' && c != ',' && c != '\t'; }

size_t RunOf(const std::string& line, size_t from, bool (*belongs)(char)) {
    size_t end = from;
    while (end < line.size() && belongs(line[end])) ++end;
    return end;
}

}  // namespace

bool LinePattern::Compile(const std::string& text, std::vector<std::string>& known, std::string& error) {
    m_text = text;
    m_parts.clear();
    if (text.size() > kMaxPattern) {
        error = "an expected line longer than " + std::to_string(kMaxPattern) + " characters";
        return false;
    }
    std::vector<std::string> capturedHere;
    auto literal = [this](char c) {
        if (m_parts.empty() || m_parts.back().kind != Kind::Literal) m_parts.push_back({Kind::Literal, ""});
        m_parts.back().text += c;
    };
    const bool read = WalkPlaceholders(text, '=', literal, [&](const std::string& name, const std::string& kind, bool kindGiven) {
        static const std::pair<const char*, Kind> kKinds[] = {{"hex", Kind::Hex},   {"dec", Kind::Dec},
                                                              {"word", Kind::Word}, {"text", Kind::Text},
                                                              {"ptr", Kind::Pointer}};
        if (!kindGiven && name == "null") {
            for (char c : "0x" + std::string(kPointerDigits, '0')) literal(c);
            return true;
        }
        Part part{Kind::Reference, name};
        for (const auto& k : kKinds) {
            if (!kindGiven && name == k.first) part = Part{k.second, ""};
            if (kindGiven && kind == k.first) part = Part{k.second, name, true};
        }
        if (kindGiven && !part.captures) {
            error = "\"{" + name + "=" + kind + "}\": the kind after '=' must be hex, dec, word, text or ptr";
            return false;
        }
        if (part.captures && (name == kRunFolder || name == "null")) {
            error = "\"{" + name + "}\" is the console's own and cannot be captured";
            return false;
        }
        if (part.kind == Kind::Reference) {
            if (std::find(capturedHere.begin(), capturedHere.end(), name) != capturedHere.end()) {
                error = "\"{" + name + "}\" refers to a value captured on the same line";
                return false;
            }
            if (std::find(known.begin(), known.end(), name) == known.end()) {
                error = "\"{" + name + "}\": no value of that name was captured before (write {" + name +
                        "=hex}, {" + name + "=dec}, {" + name + "=word} or {" + name + "=text} to capture one)";
                return false;
            }
        }
        if (part.captures) {
            if (std::find(capturedHere.begin(), capturedHere.end(), name) != capturedHere.end()) {
                error = "\"{" + name + "}\" is captured twice on the same line";
                return false;
            }
            capturedHere.push_back(name);
        }
        m_parts.push_back(part);
        return true;
    });
    if (!read) return false;
    for (const std::string& name : capturedHere) {
        if (std::find(known.begin(), known.end(), name) == known.end()) known.push_back(name);
    }
    return true;
}

bool LinePattern::Match(const std::string& line, Captures& captures) const {
    // A memo of the (part, position) pairs known to fail keeps backtracking
    // over several "{text}" placeholders polynomial.
    const size_t width = line.size() + 1;
    std::vector<bool> failed((m_parts.size() + 1) * width, false);
    std::vector<std::string> values(m_parts.size());

    std::function<bool(size_t, size_t)> matchFrom = [&](size_t index, size_t pos) -> bool {
        if (index == m_parts.size()) return pos == line.size();
        if (failed[index * width + pos]) return false;
        const Part& part = m_parts[index];
        auto tryEnd = [&](size_t end) {
            if (!matchFrom(index + 1, end)) return false;
            values[index] = line.substr(pos, end - pos);
            return true;
        };
        bool matched = false;
        switch (part.kind) {
            case Kind::Literal:
            case Kind::Reference: {
                const auto known = captures.find(part.text);
                const std::string& expected =
                    part.kind == Kind::Literal ? part.text : (known != captures.end() ? known->second : part.text);
                matched = line.compare(pos, expected.size(), expected) == 0 && tryEnd(pos + expected.size());
                break;
            }
            case Kind::Hex:
            case Kind::Dec:
            case Kind::Word: {
                size_t first = pos;
                if (part.kind == Kind::Hex && line.compare(pos, 2, "0x") == 0) first += 2;
                if (part.kind == Kind::Dec && pos < line.size() && line[pos] == '-') first += 1;
                const size_t last = RunOf(line, first, part.kind == Kind::Hex   ? IsHexDigit
                                                       : part.kind == Kind::Dec ? IsDigit
                                                                                : IsWordChar);
                for (size_t end = last; end > first && !matched; --end) matched = tryEnd(end);
                break;
            }
            case Kind::Text:
                for (size_t end = pos; end <= line.size() && !matched; ++end) matched = tryEnd(end);
                break;
            case Kind::Pointer:
                matched = line.compare(pos, 2, "0x") == 0 && RunOf(line, pos + 2, IsHexDigit) == pos + 2 + kPointerDigits &&
                          tryEnd(pos + 2 + kPointerDigits);
                break;
        }
        if (!matched) failed[index * width + pos] = true;
        return matched;
    };
    if (!matchFrom(0, 0)) return false;
    for (size_t i = 0; i < m_parts.size(); ++i) {
        if (m_parts[i].captures) captures[m_parts[i].text] = values[i];
    }
    return true;
}

std::string LinePattern::Expanded(const Captures& captures) const {
    std::string text;
    for (const Part& part : m_parts) {
        const auto known = captures.find(part.text);
        switch (part.kind) {
            case Kind::Literal: text += part.text; break;
            case Kind::Reference: text += known != captures.end() ? known->second : "{" + part.text + "}"; break;
            case Kind::Hex: text += part.captures ? "{" + part.text + "=hex}" : "{hex}"; break;
            case Kind::Dec: text += part.captures ? "{" + part.text + "=dec}" : "{dec}"; break;
            case Kind::Word: text += part.captures ? "{" + part.text + "=word}" : "{word}"; break;
            case Kind::Text: text += part.captures ? "{" + part.text + "=text}" : "{text}"; break;
            case Kind::Pointer: text += part.captures ? "{" + part.text + "=ptr}" : "{ptr}"; break;
        }
    }
    return text;
}

}  // namespace scenario

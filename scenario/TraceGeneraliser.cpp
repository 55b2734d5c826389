#include "TraceGeneraliser.h"

#include "LinePattern.h"

#include <algorithm>
#include <cctype>

namespace scenario {

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

bool EndsWith(const std::string& text, const char* tail) {
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

size_t RunOf(const std::string& text, size_t at, bool (*accept)(char)) {
    while (at < text.size() && accept(text[at])) ++at;
    return at;
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

// "2026/12/08 20:54:27" at `at`: its length, else 0.
size_t DateTimeAt(const std::string& line, size_t at) {
    static const char kShape[] = "dddd/dd/dd dd:dd:dd";
    const size_t length = sizeof kShape - 1;
    if (line.size() - at < length) return 0;
    for (size_t i = 0; i < length; ++i) {
        const bool fits = kShape[i] == 'd' ? IsDigit(line[at + i]) : line[at + i] == kShape[i];
        if (!fits) return 0;
    }
    return length;
}

constexpr char kBufferName[] = "VRXCLIENT_MAPPING_";

}  // namespace

std::string TraceGeneraliser::Capture(Identity identity, const std::string& value, const char* type) {
    static const char* const kPrefix[] = {"", "printer", "order", "print"};
    const std::string key = std::to_string(static_cast<int>(identity)) + ":" + value;
    const auto known = m_names.find(key);
    if (known != m_names.end()) {
        const bool ownLine = std::find(m_capturedInLine.begin(), m_capturedInLine.end(), known->second) !=
                             m_capturedInLine.end();
        return ownLine ? std::string("{") + type + "}" : "{" + known->second + "}";
    }
    const std::string name = kPrefix[static_cast<int>(identity)] + std::to_string(++m_counts[identity]);
    m_names[key] = name;
    m_capturedInLine.push_back(name);
    if (value.size() <= 15) m_numbers[name] = Number{identity, type[0] == 'h', std::stoull(value, nullptr, type[0] == 'h' ? 16 : 10)};
    return "{" + name + "=" + type + "}";
}

size_t TraceGeneraliser::Field(const std::string& line, size_t at, std::string& out) {
    const bool star = line[at] == '*';
    const size_t nameEnd = RunOf(line, at + (star ? 1 : 0), IsNameChar);
    if (nameEnd == at + (star ? 1 : 0) || nameEnd >= line.size()) return at;
    // "pMagInfo(size:84)=": a buffer's size between its name and its value.
    size_t equals = nameEnd;
    if (line[nameEnd] == '(') {
        const size_t close = line.find_first_of(") ", nameEnd);
        if (close != std::string::npos && line[close] == ')') equals = close + 1;
    }
    if (equals >= line.size() || line[equals] != '=') return at;
    const std::string name = line.substr(at + (star ? 1 : 0), nameEnd - at - (star ? 1 : 0));
    const bool hex = line.compare(equals + 1, 2, "0x") == 0;
    const size_t digits = equals + 1 + (hex ? 2 : 0);
    const size_t valueEnd = RunOf(line, digits, hex ? IsHexDigit : IsDigit);
    if (valueEnd == digits || (valueEnd < line.size() && IsNameChar(line[valueEnd]))) return at;
    const std::string value = line.substr(digits, valueEnd - digits);

    const bool pointer = !star && (name[0] == 'p' || name.compare(0, 2, "lp") == 0);
    if (pointer && hex && value.size() == kPointerDigits) {
        // Written without its width, which is the build's.
        out += line.substr(at, equals + 1 - at) + (AllZero(value) ? "{null}" : "{ptr}");
        return valueEnd;
    }
    const Identity identity = pointer ? Identity::None : IdentityOf(name);
    if (AllZero(value) || (!pointer && identity == Identity::None)) return at;
    if (pointer && !hex) return at;

    out += line.substr(at, digits - at);
    out += pointer ? "{hex}" : Capture(identity, value, hex ? "hex" : "dec");
    return valueEnd;
}

std::string TraceGeneraliser::Expectation(const std::string& line) {
    // Well within what a scenario line may hold; the rest, if any, is any text.
    constexpr size_t kLongest = 3900;
    m_capturedInLine.clear();
    const bool call = line.compare(0, 5, "[<==]") == 0;
    std::string out;
    for (size_t at = 0; at < line.size();) {
        if (out.size() > kLongest) {
            out += "{text}";
            break;
        }
        const bool fieldStart = at == 0 || line[at - 1] == ' ' || line[at - 1] == '{' || line[at - 1] == ',';
        if (fieldStart && (line[at] == '*' || std::isalpha(static_cast<unsigned char>(line[at])))) {
            const size_t end = Field(line, at, out);
            if (end != at) {
                at = end;
                continue;
            }
        }
        if (!m_folder.empty() && line.compare(at, m_folder.size(), m_folder) == 0) {
            out += std::string("{") + kRunFolder + "}";
            at += m_folder.size();
            continue;
        }
        if (const size_t length = call ? 0 : DateTimeAt(line, at)) {
            out += "{dec}/{dec}/{dec} {dec}:{dec}:{dec}";
            at += length;
            continue;
        }
        if (line.compare(at, sizeof kBufferName - 1, kBufferName) == 0 &&
            IsDigit(line[std::min(line.size() - 1, at + sizeof kBufferName - 1)])) {
            out += std::string(kBufferName) + "{dec}";
            at = RunOf(line, at + sizeof kBufferName - 1, IsDigit);
            continue;
        }
        // A name=value not changed above is copied whole, so that its value
        // is not taken for the start of another field.
        if (fieldStart && IsNameChar(line[at])) {
            const size_t end = RunOf(line, at, IsNameChar);
            out += line.substr(at, end - at);
            at = end;
            continue;
        }
        out += line[at] == '{' ? "{{" : std::string(1, line[at]);
        ++at;
    }
    return out;
}

TraceGeneraliser::Identity TraceGeneraliser::IdentityOf(const std::string& name) {
    if (EndsWith(name, "hPrinter")) return Identity::Printer;
    if (EndsWith(name, "OrderId") || EndsWith(name, "OrderID")) return Identity::Order;
    if (EndsWith(name, "PrintID") || EndsWith(name, "PrintId")) return Identity::Print;
    return Identity::None;
}

std::string TraceGeneraliser::TypedReference(const std::string& field, const std::string& decimal) const {
    const Identity identity = IdentityOf(field);
    if (identity == Identity::None || decimal.empty() || decimal.size() > 15 || AllZero(decimal) ||
        !std::all_of(decimal.begin(), decimal.end(), IsDigit))
        return std::string();
    const unsigned long long typed = std::stoull(decimal);
    std::string hexReference;
    for (const auto& captured : m_numbers) {
        const Number& number = captured.second;
        if (number.identity != identity || number.value != typed) continue;
        if (!number.hex) return "{" + captured.first + "}";
        if (hexReference.empty()) hexReference = "{" + captured.first + ":dec}";
    }
    return hexReference;
}

std::string TraceGeneraliser::TypedText(const std::string& text) const {
    std::string typed;
    for (size_t at = 0; at < text.size();) {
        if (!m_folder.empty() && text.compare(at, m_folder.size(), m_folder) == 0) {
            typed += std::string("{") + kRunFolder + "}";
            at += m_folder.size();
            continue;
        }
        typed += text[at] == '{' ? "{{" : std::string(1, text[at]);
        ++at;
    }
    return typed;
}

std::string TraceGeneraliser::PrinterHandle(const std::string& handle) const {
    const auto known = m_names.find(std::to_string(static_cast<int>(Identity::Printer)) + ":" + handle);
    return known != m_names.end() ? "{" + known->second + "}" : handle;
}

}  // namespace scenario

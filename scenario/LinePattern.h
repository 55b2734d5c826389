// An expected line with placeholders for what differs from run to run:
// "{order=hex}" matches a hexadecimal number and keeps it as "order", a later
// "{order}" must then read the same text; "{hex}", "{dec}", "{word}" and
// "{text}" match without keeping anything; "{{" is a literal brace. A pointer
// is written without its width, which differs between the i686 and x86_64
// builds: "{ptr}" is "0x" and this build's digits of a pointer, "{null}" this
// build's null pointer. "{run}" is the folder the console runs in, known from
// the start (see kRunFolder). Portable.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace scenario {

using Captures = std::map<std::string, std::string>;

// The capture every scenario holds before its first step: the console's
// folder, with its closing backslash.
constexpr char kRunFolder[] = "run";
// Hexadecimal digits of a pointer of the build that plays (and traces).
constexpr size_t kPointerDigits = 2 * sizeof(void*);

// Walks a text with placeholders: each character of its own goes to
// `literal` ("{{" gives one brace, as does a '{' that does not open a
// placeholder's shape), each "{name}" or "{name<separator>rest}" to
// `placeholder(name, rest, restGiven)`, which may stop the walk with false.
template <class Literal, class Placeholder>
bool WalkPlaceholders(const std::string& text, char separator, Literal literal, Placeholder placeholder) {
    auto isNameChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '{') {
            literal(text[at]);
            continue;
        }
        if (at + 1 < text.size() && text[at + 1] == '{') {
            literal('{');
            ++at;
            continue;
        }
        const size_t close = text.find('}', at);
        const std::string inside = close == std::string::npos ? std::string() : text.substr(at + 1, close - at - 1);
        const size_t split = inside.find(separator);
        const std::string name = inside.substr(0, split);
        if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0])) ||
            !std::all_of(name.begin(), name.end(), isNameChar)) {
            literal('{');  // a brace of the line itself ("Status={ 2 -> 5 }")
            continue;
        }
        const bool restGiven = split != std::string::npos;
        if (!placeholder(name, restGiven ? inside.substr(split + 1) : std::string(), restGiven)) return false;
        at = close;
    }
    return true;
}

class LinePattern {
public:
    // Compiles text; false with a reason when a placeholder is malformed, of
    // an unknown kind, or names a value that `known` does not hold. The
    // names this pattern captures are added to `known`.
    bool Compile(const std::string& text, std::vector<std::string>& known, std::string& error);

    // The whole line matches, the references reading as `captures` holds
    // them; on success the values captured here are added to `captures`.
    bool Match(const std::string& line, Captures& captures) const;

    const std::string& Text() const { return m_text; }
    // The pattern with every reference replaced by its value: what a failure
    // report shows as expected.
    std::string Expanded(const Captures& captures) const;

private:
    enum class Kind { Literal, Hex, Dec, Word, Text, Pointer, Reference };
    struct Part {
        Kind kind;
        std::string text;  // the literal, or the name captured or referred to
        bool captures = false;
    };

    std::string m_text;
    std::vector<Part> m_parts;
};

}  // namespace scenario

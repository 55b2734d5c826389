// An expected line with placeholders for what differs from run to run:
// "{order=hex}" matches a hexadecimal number and keeps it as "order", a later
// "{order}" must then read the same text; "{hex}", "{dec}", "{word}" and
// "{text}" match without keeping anything; "{{" is a literal brace. Portable.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace scenario {

using Captures = std::map<std::string, std::string>;

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
    enum class Kind { Literal, Hex, Dec, Word, Text, Reference };
    struct Part {
        Kind kind;
        std::string text;  // the literal, or the name captured or referred to
        bool captures = false;
    };

    std::string m_text;
    std::vector<Part> m_parts;
};

}  // namespace scenario

// The scenario reader over any bytes: it refuses or reads them whole, never
// crashes; a read step's line lies within the file. Then the same bytes as an
// expected line: matched against themselves and, with every brace doubled,
// they must match themselves as plain text. Last, each line of the bytes as a
// recorded trace line, twice: its expectation must be a valid pattern that
// matches the line itself, captures and references included.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "ScenarioFile.h"
#include "TraceGeneraliser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    scenario::Scenario read;
    scenario::ScenarioError error;
    if (scenario::ReadScenario(text, read, error)) {
        const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        for (const scenario::Step& step : read.steps) FUZZ_CHECK(step.line >= 1 && step.line <= lines);
    } else {
        FUZZ_CHECK(!error.message.empty());
    }

    std::vector<std::string> known{"h"};
    std::string message;
    scenario::LinePattern pattern;
    scenario::Captures captures{{"h", "0x00A40011"}};
    if (pattern.Compile(text, known, message)) pattern.Match(text, captures);
    // Any text, quoted as a recording writes it, reads back as one word.
    std::vector<std::string> words;
    FUZZ_CHECK(scenario::SplitLine(scenario::QuoteWord(text), words) && words.size() == 1 && words[0] == text);
    captures["order"] = text.substr(0, 20);  // any text as a capture typed in decimal
    scenario::ExpandTypedValue(text + "{order:dec}{h:dec}", captures);

    std::string escaped;
    for (char c : text) escaped += c == '{' ? std::string("{{") : std::string(1, c);
    scenario::LinePattern literal;
    std::vector<std::string> none;
    if (literal.Compile(escaped, none, message)) {
        scenario::Captures nothing;
        FUZZ_CHECK(literal.Match(text, nothing));
    } else {
        FUZZ_CHECK(escaped.size() > 4096);
    }

    scenario::TraceGeneraliser generaliser;
    std::vector<std::string> recorded;
    scenario::Captures seen;
    for (size_t at = 0; at <= text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        for (int pass = 0; pass < 2; ++pass) {
            scenario::LinePattern expectation;
            FUZZ_CHECK(expectation.Compile(generaliser.Expectation(line), recorded, message));
            FUZZ_CHECK(expectation.Match(line, seen));
        }
        at = end + 1;
    }
    return 0;
}

// Turns the trace lines of a recorded run into the expectations its scenario
// holds: what differs from run to run becomes a placeholder. Pointers and
// code addresses become "{ptr}" ("{null}" for a null one), which hold on the
// i686 and the x86_64 build alike; dates and times the library reports any
// numbers (a call's own, which the operator typed, stay); the numbered print
// buffers any number; the console's folder "{run}" (a replay runs the console
// in a folder of its own), in typed texts and chosen files as well. Printer handles, order ids and print
// ids are captured where a value is first seen ("{order1=hex}") and referred
// to afterwards ("{order1}"), so the replay checks they are used as they were.
// Zero is kept as it stands: no handle or no id means the same in every run.
// Portable.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace scenario {

class TraceGeneraliser {
public:
    explicit TraceGeneraliser(std::string programFolder = std::string()) : m_folder(std::move(programFolder)) {}

    // `line` from its tag on ("[<==] [vrxDevOpen] ..."). A very long line
    // keeps its first fields and matches the rest as any text.
    std::string Expectation(const std::string& line);
    // A text the operator typed or chose (a file's path) as a typed value:
    // the console's folder as "{run}", its own braces doubled.
    std::string TypedText(const std::string& text) const;
    // The pattern of a printer handle as the main window lists it (hex
    // digits without "0x"): the name it was captured under, if it was.
    std::string PrinterHandle(const std::string& handle) const;
    // What an operator typed (decimal) into a field named like an order or
    // print id, as the captured value it equals ("{order1:dec}" for one
    // captured in hex); "" when it equals none.
    std::string TypedReference(const std::string& field, const std::string& decimal) const;

private:
    enum class Identity { None, Printer, Order, Print };
    struct Number {
        Identity identity;
        bool hex;
        unsigned long long value;
    };
    static Identity IdentityOf(const std::string& name);
    // name=value at `at` (name starting there); appends its pattern and
    // returns where the value ends, or `at` when nothing is to be changed.
    size_t Field(const std::string& line, size_t at, std::string& out);
    std::string Capture(Identity identity, const std::string& value, const char* type);

    std::string m_folder;
    std::vector<std::string> m_capturedInLine;  // a pattern may not refer to its own capture
    std::map<std::string, std::string> m_names;  // identity and value as written -> capture name
    std::map<Identity, int> m_counts;
    std::map<std::string, Number> m_numbers;  // capture name -> its value
};

}  // namespace scenario

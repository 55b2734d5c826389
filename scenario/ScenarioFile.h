// A scenario: what an operator does in the console and what must follow, one
// step per line of a UTF-8 text file ('#' starts a comment; a text with
// spaces is written in double quotes, with \" and \\ inside, and \r and \n
// for line breaks). Portable: read and checked whole before anything runs,
// so the reader can be fuzzed.
//
//   timeout <ms>                     time-out of the steps after it (default 5000)
//   sim <section> <key> <value>      a line of the stand-in library's ZembrinSim.ini   } before the
//   setting <section> <key> <value>  a line of the console's VrxClient.ini            } first step
//   fixture <file name> <text>       a file the steps use, written into the console's }
//                                    folder ({run}<file name>)                        }
//   press <caption | control id>     a main-window button
//   dialog <caption>                 the dialog that opened; the steps below act in it
//   set <id> <text>                  an edit's text (numbers too); "{order}" types what a step
//                                    captured, "{order:dec}" a captured hex number in decimal
//   check <id> on|off                a check box
//   choose <id> <index | text>       a combo or list item (by index or its text); the items
//                                    of a list view by index, several as 0,2
//   ip <id> <a.b.c.d>                an IP address control
//   file <id> <path>                 the file chooser that button <id> opens: this path (a typed
//                                    value), then its OK
//   ok | cancel | button <id>        a button that closes the dialog (ok, cancel) or any button
//   expect <line>                    a trace line after the one the last "expect" matched
//   wait <line> [<ms>]               a notification with its own time-out: any line after that
//                                    one not matched before (notifications come in no fixed order)
//   none <line>                      no trace line after the newest one matched is such a line
//   key <section> <key> <value>      VrxClient.ini holds this value
//   pending <line>                   a line of the pending-events list
//   gone <line> [<ms>]               no line of that list is such a line (waited for)
//   text <id> <text>                 a control of the open dialog (else of the main window) reads so
//   hidden | shown <caption | id>    a main-window button is hidden, or shown
//   message <text>                   a message box with this text; dismissed
//   printer <handle>                 the printer handle chosen in the main window's combo box
// Expected lines, values and texts may hold placeholders (see LinePattern);
// "{run}" is the console's folder from the start.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "LinePattern.h"

namespace scenario {

enum class StepKind {
    Press, Dialog, Set, Check, Choose, Ip, File, Ok, Cancel, Button,
    Expect, Wait, None, Key, Pending, Message, Printer, Text, Gone, Hidden, Shown,
};

// What a step needs to act: the console's main window (it acts there, or
// dismisses a box), the dialog named by the last "dialog" step, or nothing
// (it only reads: the trace, the settings, a window's text). A message box
// may stand open while only steps that read come between.
enum class StepNeeds { Console, Dialog, Nothing };

struct Step {
    int line = 0;        // in the file, from 1
    std::string source;  // the step as written, without its comment
    StepKind kind = StepKind::Ok;
    StepNeeds needs = StepNeeds::Console;
    std::string target;  // press: the caption; dialog: its caption; key: the section
    int id = 0;          // the control id (press: 0 when given by caption)
    std::string value;   // set, choose, ip, file, key's key name; check: "on" or "off"
    LinePattern expected;  // expect, wait, none, key, pending, message, printer
    uint32_t timeoutMs = 0;
};

struct Scenario {
    std::string simulatorIni;  // ZembrinSim.ini as the scenario sets it up (CR LF)
    std::string consoleIni;    // VrxClient.ini likewise
    std::vector<std::pair<std::string, std::string>> fixtures;  // file name, its bytes
    std::vector<Step> steps;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

// Reads a whole scenario; false and the first error, with its line, when a
// line is not a step, an argument is missing or wrong, or a placeholder is bad.
bool ReadScenario(const std::string& text, Scenario& scenario, ScenarioError& error);

// Splits one line into words and quoted texts; false on an unclosed quote.
// Stops at a '#' outside quotes.
bool SplitLine(const std::string& line, std::vector<std::string>& words);

// A name a fixture may have: a plain file name (no folder), none of the
// console's own files (the program, its DLLs, VrxClient.*, ZembrinSim.ini).
bool IsFixtureName(const std::string& name);

// A value to type ("set"): "{name}" stands for what an earlier step captured,
// "{name:dec}" for a captured hexadecimal number written in decimal; "{{" is
// a brace. False with a reason when a name was not captured before.
bool CheckTypedValue(const std::string& text, const std::vector<std::string>& known, std::string& error);
std::string ExpandTypedValue(const std::string& text, const Captures& captures);

// A text as a scenario line writes it: bare when it can be, else quoted.
std::string QuoteWord(const std::string& text);

// What in a text holds for one build or one machine only: a 16-digit
// hexadecimal value (a pointer of the x86_64 build) or an absolute path (a
// file of one machine, where a scenario names "{run}" and its fixtures).
// "" when there is none.
std::string BuildSpecificLiteral(const std::string& text);
// Every line of a scenario file that cannot be read, or holds such a literal
// outside its comments: the line and what is wrong.
std::vector<ScenarioError> LintScenario(const std::string& text);

}  // namespace scenario

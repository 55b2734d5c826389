// What of the printer library a run of scenarios exercised, read from their
// trace alone (what an operator with the vendor's library also has): each
// entry point's calls and the results that came back, by name; each kind of
// notification; the entry points never called. The console's own set-up
// calls after each successful "vrxLibOpen" are not traced: they are counted
// from the opens and marked so. Portable.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace scenario {

class SdkCoverage {
public:
    struct EntryPoint {
        std::string name;
        int calls = 0;   // traced calls
        int atOpen = 0;  // untraced set-up calls, counted from the opens
        std::map<std::string, int> results;  // result name -> times
    };

    // The trace lines of one scenario's run ("[<==] [vrxDevOpen] ..."), and
    // its VrxClient.ini (which says whether an open also sets the connect mode).
    void AddRun(const std::vector<std::string>& trace, const std::string& consoleIni);

    const std::vector<EntryPoint>& EntryPoints() const { return m_entryPoints; }  // in export order
    const std::map<std::string, int>& Notifications() const { return m_notifications; }
    std::vector<std::string> NeverCalled() const;

    // One row per entry point, tab-separated, with a heading row; then the
    // notifications.
    std::string Table() const;
    // For a terminal: the entry points called, their results, the
    // notifications and what was never called.
    std::string Text() const;

private:
    EntryPoint* Find(const std::string& name);

    std::vector<EntryPoint> m_entryPoints = Initial();
    std::map<std::string, int> m_notifications;
    static std::vector<EntryPoint> Initial();
};

}  // namespace scenario

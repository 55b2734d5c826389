// The console's last words when it crashes (most likely inside the printer
// library): one "!!!" trace line naming the fault, the module it struck in
// and the SDK call in flight, in the "Log" window and the log file, and a
// minidump VrxClient.dmp beside the program. The process then ends with the
// exception's code as its exit code.
#pragma once

class CLogDlg;

namespace vrx {

// Installs the process's unhandled-exception filter. While this object
// lives the trace window takes the last line; the filter itself stays
// installed, so a later crash still leaves its dump.
class CrashReport {
public:
    explicit CrashReport(CLogDlg& trace);
    ~CrashReport();
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;
};

}  // namespace vrx

// What the benchmarks share: samples with their median and spread, the
// table they print, and child processes whose output they read.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

struct Samples {
    std::vector<double> values;
    void Add(double value) { values.push_back(value); }
    double Median() const;
    double Min() const;
    double Max() const;
    // "12.3 ms (11.9-13.0)": the median and the spread, values times scale.
    std::string Describe(double scale, const char* unit) const;
};

// One row of the table: the console's cost, the raw work it is measured
// against, their ratio and the goal. A goal of 0 means "report only".
void PrintRow(const std::string& what, const Samples& console, const Samples& raw, double scale, const char* unit,
              double goal, const std::string& remark = std::string());
void PrintNote(const std::string& what, const std::string& figures);

// Seconds from a performance counter.
class Stopwatch {
public:
    Stopwatch();
    double Seconds() const;

private:
    LARGE_INTEGER m_start;
};

// Runs `command` in `folder` and returns what it printed; "" on failure.
std::string RunForOutput(const std::string& command, const std::string& folder);
// The numbers of the output line that starts with `label`.
Samples SamplesFrom(const std::string& output, const std::string& label);
// This program's own path.
std::string ThisProgram();
// Resident and peak resident bytes of this process.
struct Memory {
    double resident = 0;
    double peakResident = 0;
    double committed = 0;  // the page file's share (virtual size under Wine)
};
Memory ThisProcessMemory();
// Runs the window thread's queue until it is empty.
void Pump();

// The benchmarks, each printing its rows.
void TraceLine(int rounds);
void TraceMemory();
void Burst(int notifications, int rounds);
void ImageBuffer(int megabytes, int rounds);
void StartUp(int rounds);
void StartStress(int starts);
void LogWriters(int records, int rounds);

// The parts that run in a child process of their own (a fresh process
// or a folder of their own); each prints its figures on one line.
int TraceLineChild(int lines, int rounds);
int TraceMemoryChild(int lines);
int ImageBufferChild(const std::string& side, const std::string& path);

}  // namespace bench

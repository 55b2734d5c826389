// The console's resources read after each round of a repeated scenario, and
// whether each grows: the first, last and peak reading, and the growth per
// round over the second half of the run (the first half is left out: caches,
// the trace list filling to its cap and the heap settle there). A reading
// grows when the least-squares slope over the second half is above its
// floor: one handle, GDI or USER object or thread in two rounds, or 64 KiB
// of private memory a round. A console that is flat wanders by a few objects
// and a few kilobytes from round to round, which a slope over ten or more
// rounds averages out; a leak of one handle per call or a megabyte a round
// is a steady climb well above those floors. Portable.
#pragma once

#include <string>
#include <vector>

namespace scenario {

struct Reading {
    bool available = false;  // false: the platform cannot give it (never shown as 0)
    double value = 0;
    std::string source;  // the call it came from
};

class ResourceWatch {
public:
    enum Kind { Handles, GdiObjects, UserObjects, PrivateBytes, Threads, kKinds };
    static const char* Name(Kind kind);

    void AddRound(const Reading (&readings)[kKinds]);
    size_t Rounds() const { return m_rounds.size(); }

    struct Summary {
        bool available = false;
        std::string source;
        double first = 0, last = 0, peak = 0;
        double growthPerRound = 0;  // over the second half
        bool growing = false;
    };
    Summary Summarise(Kind kind) const;
    // "flat", or "growing: handles, private bytes".
    std::string Verdict() const;
    bool Growing() const;
    // The readings of one kind, round by round (unavailable ones left out).
    std::vector<double> Series(Kind kind) const;

    // A value as a person reads it: "14.2 MiB", "312".
    static std::string Format(Kind kind, double value);
    static std::string FormatGrowth(Kind kind, double perRound);
    // One row per reading, then the verdict.
    std::string Table() const;
    // A small chart per reading, inline SVG in HTML.
    std::string HtmlSection() const;

private:
    std::vector<std::vector<Reading>> m_rounds;
};

}  // namespace scenario

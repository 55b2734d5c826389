#include "ResourceWatch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scenario {

namespace {

// Growth per round below which a reading is flat (see the header).
const double kFloor[ResourceWatch::kKinds] = {0.5, 0.5, 0.5, 64.0 * 1024, 0.5};

// The least-squares slope of the values against their index.
double Slope(const std::vector<double>& values) {
    const double n = static_cast<double>(values.size());
    if (values.size() < 2) return 0;
    double sumX = 0, sumY = 0, sumXY = 0, sumXX = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const double x = static_cast<double>(i);
        sumX += x;
        sumY += values[i];
        sumXY += x * values[i];
        sumXX += x * x;
    }
    return (n * sumXY - sumX * sumY) / (n * sumXX - sumX * sumX);
}

}  // namespace

const char* ResourceWatch::Name(Kind kind) {
    static const char* const kNames[] = {"handles", "GDI objects", "USER objects", "private bytes", "threads"};
    return kNames[kind];
}

void ResourceWatch::AddRound(const Reading (&readings)[kKinds]) {
    m_rounds.emplace_back(std::begin(readings), std::end(readings));
}

std::vector<double> ResourceWatch::Series(Kind kind) const {
    std::vector<double> values;
    for (const auto& round : m_rounds)
        if (round[kind].available) values.push_back(round[kind].value);
    return values;
}

ResourceWatch::Summary ResourceWatch::Summarise(Kind kind) const {
    Summary summary;
    const std::vector<double> values = Series(kind);
    if (values.empty()) return summary;
    for (const auto& round : m_rounds)
        if (round[kind].available) summary.source = round[kind].source;
    summary.available = true;
    summary.first = values.front();
    summary.last = values.back();
    summary.peak = *std::max_element(values.begin(), values.end());
    const std::vector<double> secondHalf(values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    summary.growthPerRound = Slope(secondHalf);
    summary.growing = secondHalf.size() >= 2 && summary.growthPerRound > kFloor[kind];
    return summary;
}

bool ResourceWatch::Growing() const {
    for (int kind = 0; kind < kKinds; ++kind)
        if (Summarise(static_cast<Kind>(kind)).growing) return true;
    return false;
}

std::string ResourceWatch::Verdict() const {
    std::string growing;
    for (int kind = 0; kind < kKinds; ++kind)
        if (Summarise(static_cast<Kind>(kind)).growing) growing += (growing.empty() ? "" : ", ") + std::string(Name(static_cast<Kind>(kind)));
    return growing.empty() ? "flat" : "growing: " + growing;
}

std::string ResourceWatch::Format(Kind kind, double value) {
    char text[32];
    if (kind == PrivateBytes)
        std::snprintf(text, sizeof text, "%.2f MiB", value / (1024.0 * 1024.0));
    else
        std::snprintf(text, sizeof text, std::fabs(value - std::round(value)) < 1e-9 ? "%.0f" : "%.2f", value);
    return text;
}

std::string ResourceWatch::FormatGrowth(Kind kind, double perRound) {
    if (kind != PrivateBytes) return Format(kind, perRound);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f KiB", perRound / 1024.0);
    return text;
}

std::string ResourceWatch::Table() const {
    std::string table = "reading          first         last         peak   growth/round  verdict   source\n";
    for (int k = 0; k < kKinds; ++k) {
        const Kind kind = static_cast<Kind>(k);
        const Summary s = Summarise(kind);
        char row[256];
        if (!s.available) {
            std::snprintf(row, sizeof row, "%-13s  not available on this platform\n", Name(kind));
        } else {
            std::snprintf(row, sizeof row, "%-13s %8s %12s %12s %14s  %-8s  %s\n", Name(kind), Format(kind, s.first).c_str(),
                          Format(kind, s.last).c_str(), Format(kind, s.peak).c_str(),
                          FormatGrowth(kind, s.growthPerRound).c_str(), s.growing ? "growing" : "flat", s.source.c_str());
        }
        table += row;
    }
    return table + "resources over " + std::to_string(Rounds()) + " rounds: " + Verdict() + "\n";
}

std::string ResourceWatch::HtmlSection() const {
    std::string html = "<h2>Resources over " + std::to_string(Rounds()) + " rounds: " + Verdict() + "</h2>\n<div>";
    for (int k = 0; k < kKinds; ++k) {
        const Kind kind = static_cast<Kind>(k);
        const Summary s = Summarise(kind);
        html += std::string("<figure style=\"display:inline-block;margin:.5em 1em .5em 0\"><figcaption><b>") + Name(kind) + "</b>: ";
        if (!s.available) {
            html += "not available on this platform</figcaption></figure>\n";
            continue;
        }
        const std::vector<double> values = Series(kind);
        // At least as tall as a growth at the floor over the run, so that a
        // flat reading's wander looks as small as it is.
        const double low = *std::min_element(values.begin(), values.end());
        const double span = std::max(s.peak - low, kFloor[kind] * static_cast<double>(values.size()));
        std::string points;
        for (size_t i = 0; i < values.size(); ++i) {
            char point[48];
            std::snprintf(point, sizeof point, "%.1f,%.1f ",
                          values.size() > 1 ? 4 + 232.0 * static_cast<double>(i) / static_cast<double>(values.size() - 1) : 120.0,
                          76 - 72 * (values[i] - low) / span);
            points += point;
        }
        html += Format(kind, s.first) + " &rarr; " + Format(kind, s.last) + ", " + FormatGrowth(kind, s.growthPerRound) +
                " a round, " + (s.growing ? "<b style=\"color:#c62828\">growing</b>" : "flat") + "</figcaption>" +
                "<svg width=\"240\" height=\"80\" viewBox=\"0 0 240 80\" role=\"img\"><rect width=\"240\" height=\"80\" fill=\"#f7f7f7\"/>"
                "<polyline fill=\"none\" stroke=\"" + (s.growing ? "#c62828" : "#2e7d32") + "\" stroke-width=\"2\" points=\"" +
                points + "\"/><text x=\"236\" y=\"12\" font-size=\"10\" text-anchor=\"end\" fill=\"#666\">" +
                Format(kind, low + span) + "</text><text x=\"236\" y=\"76\" font-size=\"10\" text-anchor=\"end\" fill=\"#666\">" +
                Format(kind, low) + "</text></svg><br><small>" + s.source + "</small></figure>\n";
    }
    return html + "</div>\n";
}

}  // namespace scenario

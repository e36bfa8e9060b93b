#include "scenarios/compare_report.h"

#include "base/format.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kov::scenarios {
namespace {

constexpr int ValueWidth = 8;

/// Names fill a column as wide as the longest, within reason.
int nameWidth(const Comparison& c) {
    std::size_t w = 16;
    for (const std::string& n : c.names) w = std::max(w, n.size() + 3);
    return static_cast<int>(std::min<std::size_t>(w, 40));
}

std::string cut(const std::string& s, int width) {
    return static_cast<int>(s.size()) <= width ? s : s.substr(0, static_cast<std::size_t>(width - 3)) + "...";
}

std::string row(const std::string& label, int width, const std::vector<std::string>& cells) {
    std::string line = format(" %-*s", width, cut(label, width).c_str());
    for (const std::string& cell : cells) line += format("%*s", ValueWidth, cell.c_str());
    return line + "\n";
}

std::string count(double v) { return std::isfinite(v) ? format("%.0f", v) : "n/a"; }

std::string signedCount(double v) {
    if (!std::isfinite(v)) return "n/a";
    const std::string s = format("%+.0f", v);
    return s == "-0" || s == "+0" ? "0" : s;
}

using Figure = double YearFigures::*;

void block(std::string& out, const Comparison& c, const std::vector<std::vector<YearFigures>>& figures,
           const char* title, Figure figure, int years) {
    const int width = nameWidth(c);
    std::vector<std::string> heading;
    const int first = c.results.front().firstYear;
    for (int y = 0; y < years; ++y) heading.push_back(format("%d", first + y));
    out += "\n" + row(title, width, heading);
    auto cells = [&](auto value) {
        std::vector<std::string> v;
        for (int y = 0; y < years; ++y) v.push_back(value(static_cast<std::size_t>(y)));
        return v;
    };
    const auto& base = figures.front();
    out += row(c.names.front(), width, cells([&](std::size_t y) { return count(base[y].*figure); }));
    for (std::size_t s = 1; s < figures.size(); ++s) {
        const auto& scenario = figures[s];
        out += row(c.names[s], width, cells([&](std::size_t y) { return count(scenario[y].*figure); }));
        out += row("  difference", width,
                   cells([&](std::size_t y) { return signedCount(scenario[y].*figure - base[y].*figure); }));
        out += row("  % change", width,
                   cells([&](std::size_t y) { return percentChange(base[y].*figure, scenario[y].*figure); }));
    }
}

} // namespace

std::vector<YearFigures> yearFigures(const std::vector<double>& monthly) {
    std::vector<YearFigures> years;
    for (std::size_t start = 0; start + 12 <= monthly.size(); start += 12) {
        YearFigures y;
        y.end = monthly[start + 11];
        y.low = y.high = monthly[start];
        double sum = 0;
        for (std::size_t m = start; m < start + 12; ++m) {
            y.low = std::min(y.low, monthly[m]);
            y.high = std::max(y.high, monthly[m]);
            sum += monthly[m];
        }
        y.average = sum / 12.0;
        years.push_back(y);
    }
    return years;
}

std::string percentChange(double base, double value) {
    if (base == 0 || !std::isfinite(base) || !std::isfinite(value)) return "";
    const std::string s = format("%+.1f%%", (value - base) / std::fabs(base) * 100.0);
    return s == "-0.0%" || s == "+0.0%" ? "0.0%" : s;
}

std::string compareText(const Comparison& c, const std::string& baseFile) {
    std::string out = "\n COMPARISON OF PROJECTED POPULATIONS\n\n";
    out += " Base: " + baseFile + " (\"" + c.names.front() + "\")\n";
    for (std::size_t s = 1; s < c.names.size(); ++s) {
        out += " Scenario \"" + c.names[s] + "\":";
        if (c.changes[s].empty()) out += " no change";
        out += "\n";
        for (const std::string& change : c.changes[s]) out += "     " + change + "\n";
    }
    out += "\n Differences and percent changes are the scenario's value less the base's, by year.\n";

    const RunResult& base = c.results.front();
    for (const TotalSeries& total : totalSeries(base)) {
        std::vector<std::vector<YearFigures>> figures;
        for (const auto& monthly : monthlyOfEach(c, total.table, "Total")) figures.push_back(yearFigures(monthly));
        std::string upper = total.population;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char ch) { return std::toupper(ch); });
        out += "\n\n " + upper + " POPULATION (" + total.table + ")\n";
        block(out, c, figures, "12th Mo.", &YearFigures::end, base.years);
        block(out, c, figures, "Average", &YearFigures::average, base.years);
        block(out, c, figures, "High Mo.", &YearFigures::high, base.years);
        block(out, c, figures, "Low Mo.", &YearFigures::low, base.years);
    }
    return out;
}

} // namespace kov::scenarios

#include "scenarios/compare_charts.h"

#include <cctype>

namespace kov::scenarios {
namespace {

/// "Home Detention" as "home-detention", "Supervision (all levels)" as "supervision".
std::string stemOf(const std::string& population) {
    std::string stem = "compare-";
    for (char ch : population.substr(0, population.find(" ("))) {
        const auto c = static_cast<unsigned char>(ch);
        if (std::isalnum(c))
            stem += static_cast<char>(std::tolower(c));
        else if (stem.back() != '-')
            stem += '-';
    }
    while (stem.back() == '-') stem.pop_back();
    return stem;
}

} // namespace

std::vector<CompareChart> compareCharts(const Comparison& c) {
    std::vector<CompareChart> charts;
    for (const TotalSeries& total : totalSeries(c.results.front())) {
        CompareChart chart;
        chart.title = total.population + " population: base and scenarios";
        chart.yTitle = total.population + " population";
        chart.firstYear = c.results.front().firstYear;
        chart.names = c.names;
        chart.monthly = monthlyOfEach(c, total.table, "Total");
        chart.table = total.table;
        chart.fileStem = stemOf(total.population);
        charts.push_back(std::move(chart));
    }
    return charts;
}

} // namespace kov::scenarios

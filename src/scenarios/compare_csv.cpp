#include "scenarios/compare_csv.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace kov::scenarios {
namespace {

using Key = std::tuple<std::string, std::string, long long, int>;

std::string keyFields(const std::string& scenario, const CsvRecord& r) {
    return csvField(scenario) + "," + csvField(r.table) + "," + csvField(r.category) + "," + std::to_string(r.year) +
           "," + std::to_string(r.month);
}

} // namespace

std::string compareCsv(const Comparison& c) {
    std::string out = "scenario,table,category,year,month,value\n";
    for (std::size_t i = 0; i < c.results.size(); ++i)
        for (const CsvRecord& r : c.results[i].series) out += keyFields(c.names[i], r) + "," + csvNumber(r.value) + "\n";
    return out;
}

std::string differenceCsv(const Comparison& c) {
    std::string out = "scenario,table,category,year,month,base,value,difference\n";
    const CsvRecords& base = c.results.front().series;
    auto sameKey = [](const CsvRecord& a, const CsvRecord& b) {
        return a.year == b.year && a.month == b.month && a.table == b.table && a.category == b.category;
    };
    for (std::size_t i = 1; i < c.results.size(); ++i) {
        const CsvRecords& scenario = c.results[i].series;
        auto line = [&](const CsvRecord& r, double b, double v) {
            out += keyFields(c.names[i], r) + "," + csvNumber(b) + "," + csvNumber(v) + "," + csvNumber(v - b) + "\n";
        };
        // Runs of one configuration write their series in the same order; a
        // table with no cases in one run and not the other is looked up.
        const bool aligned = scenario.size() == base.size() &&
                             std::equal(base.begin(), base.end(), scenario.begin(), sameKey);
        if (aligned) {
            for (std::size_t k = 0; k < base.size(); ++k) line(base[k], base[k].value, scenario[k].value);
            continue;
        }
        std::map<Key, double> baseValues, values;
        for (const CsvRecord& r : base) baseValues[{r.table, r.category, r.year, r.month}] = r.value;
        for (const CsvRecord& r : scenario) values[{r.table, r.category, r.year, r.month}] = r.value;
        // The base's order, then what only the scenario writes, in its order.
        for (const CsvRecord& r : base) {
            const auto it = values.find({r.table, r.category, r.year, r.month});
            line(r, r.value, it == values.end() ? 0.0 : it->second);
        }
        for (const CsvRecord& r : scenario)
            if (!baseValues.count({r.table, r.category, r.year, r.month})) line(r, 0.0, r.value);
    }
    return out;
}

} // namespace kov::scenarios

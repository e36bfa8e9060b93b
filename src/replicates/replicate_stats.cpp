#include "replicates/replicate_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

namespace kov::replicates {

double quantile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return std::numeric_limits<double>::quiet_NaN();
    const double h = static_cast<double>(sorted.size() - 1) * p;
    const auto lo = static_cast<std::size_t>(std::floor(h));
    if (lo + 1 >= sorted.size()) return sorted.back();
    return sorted[lo] + (h - static_cast<double>(lo)) * (sorted[lo + 1] - sorted[lo]);
}

std::vector<SeriesStats> replicateStats(const std::vector<CsvRecords>& replicates) {
    using Key = std::tuple<std::string, std::string, long long, int>;
    std::map<Key, std::size_t> index;
    std::vector<SeriesStats> rows;
    std::vector<std::vector<double>> values;
    for (const CsvRecords& run : replicates) {
        for (const CsvRecord& r : run) {
            const Key key{r.table, r.category, r.year, r.month};
            auto [at, added] = index.emplace(key, rows.size());
            if (added) {
                rows.push_back({r.table, r.category, r.year, r.month});
                values.emplace_back();
            }
            values[at->second].push_back(r.value);
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<double>& v = values[i];
        SeriesStats& s = rows[i];
        s.n = static_cast<int>(v.size());
        double sum = 0;
        for (double x : v) sum += x;
        s.mean = sum / static_cast<double>(v.size());
        double squares = 0;
        for (double x : v) squares += (x - s.mean) * (x - s.mean);
        s.sd = v.size() > 1 ? std::sqrt(squares / static_cast<double>(v.size() - 1))
                            : std::numeric_limits<double>::quiet_NaN();
        std::sort(v.begin(), v.end());
        s.p05 = quantile(v, 0.05);
        s.p50 = quantile(v, 0.50);
        s.p95 = quantile(v, 0.95);
    }
    return rows;
}

std::string replicatesCsv(const std::vector<SeriesStats>& rows) {
    std::string out = "table,category,year,month,mean,sd,p05,p50,p95,n\n";
    for (const SeriesStats& s : rows)
        out += csvField(s.table) + "," + csvField(s.category) + "," + std::to_string(s.year) + "," +
               std::to_string(s.month) + "," + csvNumber(s.mean) + "," + csvNumber(s.sd) + "," + csvNumber(s.p05) +
               "," + csvNumber(s.p50) + "," + csvNumber(s.p95) + "," + std::to_string(s.n) + "\n";
    return out;
}

} // namespace kov::replicates

#include "actuals/accuracy.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace kov::actuals {
namespace {

using Key = std::tuple<std::string, std::string, long long, int>;

void summarise(SeriesAccuracy& s) {
    std::sort(s.months.begin(), s.months.end(),
              [](const MonthError& a, const MonthError& b) { return a.monthsAhead < b.monthsAhead; });
    double errors = 0, percents = 0, absolutePercents = 0;
    int withPercent = 0;
    for (const MonthError& m : s.months) {
        errors += m.error;
        if (!m.percentError) continue;
        percents += *m.percentError;
        absolutePercents += std::fabs(*m.percentError);
        ++withPercent;
    }
    s.zeroActuals = static_cast<int>(s.months.size()) - withPercent;
    if (!s.months.empty()) s.meanError = errors / static_cast<double>(s.months.size());
    if (withPercent > 0) {
        s.mape = absolutePercents / withPercent;
        s.meanPercentError = percents / withPercent;
    }
}

} // namespace

int monthsAhead(long long year, int month, int firstYear) {
    return static_cast<int>((year - firstYear) * 12 + month);
}

bool isReportedHorizon(int monthsAhead) {
    return monthsAhead == 1 || monthsAhead == 6 || (monthsAhead > 0 && monthsAhead % 12 == 0);
}

Accuracy compareWithActuals(const ActualsFile& actuals, const CsvRecords& series, int firstYear) {
    std::map<Key, const Actual*> observed;
    for (const Actual& a : actuals.values) observed.emplace(Key{a.table, a.category, a.year, a.month}, &a);

    Accuracy out;
    std::map<std::pair<std::string, std::string>, std::size_t> index;
    std::set<std::pair<std::string, std::string>> written;
    std::set<const Actual*> matched;
    for (const CsvRecord& r : series) {
        written.emplace(r.table, r.category);
        const auto found = observed.find(Key{r.table, r.category, r.year, r.month});
        const int ahead = monthsAhead(r.year, r.month, firstYear);
        // A month the run wrote twice is compared once, with the first value.
        if (found == observed.end() || ahead < 1 || !matched.insert(found->second).second) continue;
        const auto [at, fresh] = index.try_emplace({r.table, r.category}, out.series.size());
        if (fresh) out.series.push_back(SeriesAccuracy{r.table, r.category, {}, 0, {}, 0, {}});
        const Actual& a = *found->second;
        MonthError m{r.year, r.month, ahead, r.value, a.value, r.value - a.value, {}};
        if (a.value != 0) m.percentError = m.error / a.value * 100;
        out.series[at->second].months.push_back(m);
    }
    for (SeriesAccuracy& s : out.series) summarise(s);
    for (const Actual& a : actuals.values)
        if (matched.count(&a) == 0) out.unmatched.push_back({&a, written.count({a.table, a.category}) > 0});
    return out;
}

} // namespace kov::actuals

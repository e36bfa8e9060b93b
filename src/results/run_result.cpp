#include "results/run_result.h"

#include "reports/csv/csv_tables.h"
#include "run/simulation.h"

#include <algorithm>
#include <iterator>

namespace kov {

std::vector<double> monthlySeries(const CsvRecords& records, const std::string& table, const std::string& category,
                                  int firstYear, int years) {
    std::vector<double> values(static_cast<std::size_t>(12 * years), 0.0);
    for (const CsvRecord& r : records) {
        if (r.table != table || r.category != category) continue;
        const long long i = (r.year - firstYear) * 12 + r.month - 1;
        if (i >= 0 && i < static_cast<long long>(values.size())) values[static_cast<std::size_t>(i)] = r.value;
    }
    return values;
}

std::vector<double> RunResult::monthly(const std::string& table, const std::string& category) const {
    return monthlySeries(series, table, category, firstYear, years);
}

std::vector<std::string> RunResult::categories(const std::string& table) const {
    std::vector<std::string> names;
    for (const CsvRecord& r : series)
        if (r.table == table && std::find(names.begin(), names.end(), r.category) == names.end())
            names.push_back(r.category);
    return names;
}

bool RunResult::has(const std::string& table) const {
    return std::any_of(series.begin(), series.end(), [&](const CsvRecord& r) { return r.table == table; });
}

RunResult resultOf(const Simulation& finished, ResultScope scope) {
    RunResult result;
    result.configuration = finished.cfg;
    result.parameters = finished.engine().ctx.params;
    result.cases = finished.engine().err.m_CaseNumber;
    result.firstYear = finished.engine().ctx.params.FirstSimulatedYear;
    for (CsvTables::File& file :
         CsvTables(finished.engine(), finished.tableOptions(), scope == ResultScope::Totals).files()) {
        result.files.push_back({file.name, file.records.size()});
        result.series.insert(result.series.end(), std::make_move_iterator(file.records.begin()),
                             std::make_move_iterator(file.records.end()));
    }
    for (int k = 0; k < VariableCount; ++k)
        result.breakdowns.push_back(csvTitle(finished.engine().st.Values[static_cast<std::size_t>(k)].name));
    return result;
}

std::string totalSeriesTitle(const std::string& population) { return population + " - Total Count Per Month:"; }

} // namespace kov

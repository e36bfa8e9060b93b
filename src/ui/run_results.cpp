#include "ui/run_results.h"

#include "reports/csv/csv_tables.h"
#include "run/simulation.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace kov::ui {
namespace {

// The output tables title each total per month "<population> - Total Count Per Month:".
const std::string TotalSuffix = " - Total Count Per Month:";

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void append(std::vector<TotalSeries>& to, std::vector<TotalSeries> from) {
    for (TotalSeries& s : from) to.push_back(std::move(s));
}

} // namespace

std::vector<TotalSeries> totalSeries(const CsvRecords& records) {
    std::vector<TotalSeries> out;
    for (const CsvRecord& r : records) {
        if (!endsWith(r.table, TotalSuffix)) continue;
        const std::string name = r.table.substr(0, r.table.size() - TotalSuffix.size());
        if (out.empty() || out.back().name != name) out.push_back({name, r.year, {}});
        out.back().months.push_back(r.value);
    }
    return out;
}

std::vector<YearCounts> countsByYear(const TotalSeries& prison) {
    std::vector<YearCounts> out;
    const std::vector<double>& m = prison.months;
    for (std::size_t first = 0; first + 12 <= m.size(); first += 12) {
        const auto begin = m.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = begin + 12;
        YearCounts y;
        y.year = prison.firstYear + static_cast<long long>(first / 12);
        y.twelfthMonth = m[first + 11];
        y.low = *std::min_element(begin, end);
        y.high = *std::max_element(begin, end);
        // Summed month by month as the report sums them, so the average agrees to the last digit.
        y.average = std::accumulate(begin, end, 0.0) / 12.0;
        out.push_back(y);
    }
    return out;
}

std::string countText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

std::vector<TotalSeries> finishedRunTotals(const Simulation& finished) {
    const TableOptions selected = finished.tableOptions();
    // The summary report counts the prison total whatever tables are chosen.
    TableOptions withPrison = selected;
    withPrison.prisonDemographics = true;
    std::vector<TotalSeries> out = totalSeries(CsvTables(finished.engine(), withPrison).prison());
    if (out.empty()) // a run of no prisoners: the tables leave the total out
        out.push_back({"Prison", finished.engine().ctx.params.FirstSimulatedYear, std::vector<double>(120, 0.0)});
    const CsvTables tables(finished.engine(), selected);
    if (selected.jail) append(out, totalSeries(tables.jail())); // the jail records come whatever is chosen
    append(out, totalSeries(tables.sanctions()));
    return out;
}

std::vector<std::string> writtenOutputFiles(const Simulation& run, long long startedAt) {
    std::vector<std::string> candidates = {run.tablesOutputPath(), run.filePath(CountyOutputFile),
                                           run.tableOptions().felonyTablesPath, run.filePath(StockOutputFile)};
    candidates.insert(candidates.end(), run.m_GraphFiles.begin(), run.m_GraphFiles.end());
    for (const WrittenWorkbook& book : run.m_Workbooks) candidates.push_back(book.path);
    std::vector<std::string> out;
    // Files of the same names left by earlier runs are not this run's.
    const QDateTime started = QDateTime::fromSecsSinceEpoch(startedAt);
    for (const std::string& path : candidates) {
        const QFileInfo file(QDir::current(), QString::fromStdString(path));
        const std::string absolute = file.absoluteFilePath().toStdString();
        if (!file.isFile() || file.lastModified() < started) continue;
        if (std::find(out.begin(), out.end(), absolute) == out.end()) out.push_back(absolute);
    }
    return out;
}

} // namespace kov::ui

#pragma once
// What replicate runs say about one series: mean, spread and percentiles of
// each month's value across the replicates.
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov::replicates {

struct SeriesStats {
    std::string table, category;
    long long year = 0;
    int month = 0;
    double mean = 0, sd = 0, p05 = 0, p50 = 0, p95 = 0;
    int n = 0; ///< replicates that wrote this month of the series
};

/// The p-quantile (0..1) of sorted values, interpolated between the two
/// nearest ranks: (n - 1) p, as R's default and numpy's do it.
double quantile(const std::vector<double>& sorted, double p);

/// One row per month of every series any replicate wrote, in the order they
/// first appear (replicate 1's order, then series only later ones wrote). The
/// standard deviation is the sample one (n - 1), NaN for a single value.
std::vector<SeriesStats> replicateStats(const std::vector<CsvRecords>& replicates);

/// Header table,category,year,month,mean,sd,p05,p50,p95,n and one line a row.
std::string replicatesCsv(const std::vector<SeriesStats>& rows);

} // namespace kov::replicates

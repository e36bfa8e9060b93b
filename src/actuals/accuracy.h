#pragma once
// How far a projection was from the counts observed after it: the error of
// each observed month by how many months ahead it lay, the mean absolute
// percentage error and the mean signed error (the bias) of each series.
#include "actuals/actuals_file.h"
#include "reports/csv/csv_format.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::actuals {

struct MonthError {
    long long year = 0;
    int month = 0;
    int monthsAhead = 0; ///< 1 for the first projected month
    double projected = 0;
    double actual = 0;
    double error = 0;                   ///< projected - actual
    std::optional<double> percentError; ///< error / actual x 100; none when actual is 0
};

struct SeriesAccuracy {
    std::string table, category;
    std::vector<MonthError> months; ///< by months ahead
    int zeroActuals = 0;            ///< months without a percent error
    std::optional<double> mape;     ///< over the months with a percent error
    double meanError = 0;           ///< over every month compared
    std::optional<double> meanPercentError;
};

/// An observed count the projection has nothing to set beside.
struct Unmatched {
    const Actual* actual = nullptr; ///< into the actuals file compared
    bool knownSeries = false;       ///< the run wrote the series, but not that month
};

struct Accuracy {
    std::vector<SeriesAccuracy> series; ///< in the order the run writes them
    std::vector<Unmatched> unmatched;   ///< in the file's order
};

/// Months ahead of month (1..12) of year when the projection starts in January of firstYear.
int monthsAhead(long long year, int month, int firstYear);

/// The months ahead an accuracy table shows: 1, 6, 12, then every 12.
bool isReportedHorizon(int monthsAhead);

/// Sets every observed count beside the run's projected count of the same
/// table, category, year and month. series holds every record the run wrote;
/// firstYear is the run's first projected year.
Accuracy compareWithActuals(const ActualsFile& actuals, const CsvRecords& series, int firstYear);

} // namespace kov::actuals

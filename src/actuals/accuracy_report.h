#pragma once
// The accuracy of a projection as an agency's accuracy report reads it
// (accuracy.txt) and as tidy data (accuracy.csv).
#include "actuals/accuracy.h"

#include <string>

namespace kov::actuals {

/// A paragraph and a table of the reported months ahead per series, its MAPE
/// and bias, then notes on the observed counts left out.
std::string accuracyText(const ActualsFile& actuals, const Accuracy& accuracy, int firstYear);

/// Header table,category,year,month,months_ahead,projected,actual,error,percent_error;
/// percent_error is empty where the actual count is 0.
std::string accuracyCsv(const Accuracy& accuracy);

} // namespace kov::actuals

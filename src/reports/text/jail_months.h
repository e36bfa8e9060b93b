#pragma once
// The daily jail population summed up month by month: the end, average, high
// and low of each of the five tabulated years' months.
#include <vector>

namespace kov {

struct JailMonths {
    std::vector<double> end, average, high, low;
};

/// From the jail-by-days series (days before the first simulated year included).
JailMonths jailMonths(const std::vector<double>& days);

} // namespace kov

#pragma once
// compare.csv and difference.csv: every series of every run of a comparison,
// keyed as the CSV export keys them, so that they join with its files.
#include "scenarios/comparison.h"

#include <string>

namespace kov::scenarios {

/// "scenario,table,category,year,month,value": the base under its name, then each scenario.
std::string compareCsv(const Comparison& c);

/// "scenario,table,category,year,month,base,value,difference" for each
/// scenario: every month of a series either run writes; a series a run does
/// not write counts 0 there, as its table printed no cases.
std::string differenceCsv(const Comparison& c);

} // namespace kov::scenarios

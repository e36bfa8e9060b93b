#pragma once
// The lengths and probabilities of the non-prison sanctions of one case and
// year, worked out once in the call that stands for the whole population.
#include "config/run_parameters.h"
#include "engine/engine.h"
#include "input/state_tables.h"

namespace kov {

/// Value of probability table p (0..20) at the grid cell; 0 for a table, cell
/// or grid table that the loaded probabilities do not hold.
double cellProbability(const StateTables& st, int p, int table, int row, int col);

/// Also sets a negative "Probability of supervision violation" of the
/// sanctions parameters to 0, for the rest of the run.
NoprisonSetup computeNoprisonSetup(const StateTables& st, RunParameters& params, int row, int col, int table, int T,
                                   int restitutionDays, int jailDays, int county, int region);

} // namespace kov

#pragma once
// The sheets of the three workbooks of a run, filled from its state tables.
#include "input/state_tables.h"
#include "reports/workbooks/workbook_file.h"

namespace kov {
class Simulation;
}

namespace kov::reports {

/// Columns the "Admission Groups by Offenses" sheet may hold (D to AZ).
constexpr int AdmissionGroupColumnLimit = 49;

/// Columns that sheet needs: every felony type but the last times every
/// offense but the last.
int admissionGroupColumns(const StateTables& st);

/// "Prison Tables" and one breakdown sheet per table 1 to 7.
void fillMainWorkbook(WorkbookFile& book, const Simulation& sim);
/// One entry/exit sheet per felony type, then per felony type one breakdown
/// sheet per table but the felony-type table.
void fillFelonyTypeWorkbook(WorkbookFile& book, const Simulation& sim);
/// Felony types, offenses, and their combinations month by month.
void fillAdmissionGroupsWorkbook(WorkbookFile& book, const Simulation& sim);

} // namespace kov::reports

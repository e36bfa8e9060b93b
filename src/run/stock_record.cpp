#include "run/stock_record.h"

#include "base/random.h"
#include "engine/field_reader.h"
#include "engine/rounding.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>
#include <vector>

namespace kov {
namespace {

constexpr int MaxMonths = 9999;

const TableDef* tableOf(const std::vector<std::shared_ptr<TableDef>>& tables, int table) {
    return tables[static_cast<std::size_t>(table - 1)].get();
}

} // namespace

int stockRandomDay(int randValue) {
    const double u = randValue / 32767.0;
    return static_cast<int>((u * 10.0 + 1.0) * 3.0);
}

StockRead readStockRecord(CMicroDataFile& f, const StockSetup& setup, CRand& crt, Host& host, StockRecord& out) {
    const StateTables& st = setup.st;
    out = StockRecord{};
    StockRecord& r = out; // filled as far as the line could be read
    r.caseNumber = f.lineCount();
    if (!f.NextInt(r.recordNumber)) return StockRead::Silent;

    FieldReader in(f, host, r.caseNumber);
    const CaseFileNames* files = setup.files;
    const RowsOf labels{files ? &files->labels : nullptr, "labels for this variable", 0};
    if (!in.inRange(r.gender, 1, st.count(VarGender), "Gender", labels)) return StockRead::Error;
    if (!in.inRange(r.race, 1, st.count(VarRace), "Race", labels)) return StockRead::Error;
    if (!in.present(r.age, "Age")) return StockRead::Error;
    r.ageGroup = setup.ageGroups.lookup(r.age);
    if (!in.inRange(r.offense, 1, st.count(VarOffense), "Offense", labels)) return StockRead::Error;
    if (!in.months(r.lengthOfPrison, r.prisonMonths, "Length of prison")) return StockRead::Error;

    if (!in.present(r.felonyType, "Felony Type")) return StockRead::Error;
    const int felonyTypes = st.count(VarFelonyType);
    if (r.felonyType < 1 || r.felonyType > felonyTypes) r.felonyType = felonyTypes;
    if (!in.inRange(r.region, 1, st.count(VarRegion), "Region", labels)) return StockRead::Error;
    if (!in.inRange(r.lengthOfPostprison, 0, MaxMonths, "Length of postprison")) return StockRead::Error;

    // The release month; a time beyond what an integer holds is out of range too.
    if (!in.present(r.remainingTime, "FloatLenp2")) return StockRead::Error;
    r.lenp2 = roundHalfUp(r.remainingTime);
    if (!in.check(r.lenp2, 1, MaxMonths, "lenp2")) return StockRead::Error;

    r.randomDay = stockRandomDay(crt.rand());

    if (!in.present(r.restitution, "Length of postprison restitution in days")) return StockRead::Error;
    const long long days = static_cast<long long>(r.restitution) + r.randomDay;
    r.restitutionDays = static_cast<int>(std::clamp(days, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
    if (!in.check(r.restitutionDays, 0, MaxMonths, "Length of postprison restitution")) return StockRead::Error;

    if (!in.inRange(r.postprisonSentencing, 0, MaxMonths, "Length of postprison sentencing")) return StockRead::Error;
    if (!in.inRange(r.firstParole, 0, MaxMonths, "Length of first parole")) return StockRead::Error;
    if (!in.inRange(r.secondParole, 0, MaxMonths, "Length of second parole")) return StockRead::Error;

    // Row and column must be there; they are checked against the table once it is known.
    if (!in.present(r.gridRow, "Grid row") || !in.present(r.gridColumn, "Grid column")) return StockRead::Error;
    const auto& tables = setup.dualGuidelines != 0 ? st.Postables : st.m_Tables;
    const std::string* gridFile = !files ? nullptr : setup.dualGuidelines != 0 ? &files->stockGrid : &files->grid;
    const RowsOf tableCount{gridFile, "tables", 0};
    if (!in.inRange(r.gridTable, 1, static_cast<int>(tables.size()), "Grid table", tableCount)) return StockRead::Error;
    const TableDef* def = tableOf(tables, r.gridTable);
    if (!in.check(r.gridRow, 1, def ? def->rows : 0, "Grid row", RowsOf{gridFile, "rows", r.gridTable}))
        return StockRead::Error;
    if (!in.check(r.gridColumn, 1, def ? def->cols : 0, "Grid column", RowsOf{gridFile, "columns", r.gridTable}))
        return StockRead::Error;

    if (!in.present(r.weight, "Weight")) return StockRead::Error;
    return StockRead::Ok;
}

} // namespace kov

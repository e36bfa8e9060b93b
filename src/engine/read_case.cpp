#include "engine/read_case.h"

#include "base/format.h"
#include "base/host.h"
#include "base/random.h"
#include "engine/field_reader.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kov {
namespace {

constexpr int MaxDays = 9999;
constexpr int MaxSentenceLevel = 5;

int rowsOf(const std::vector<std::shared_ptr<TableDef>>& tables, int table) {
    const auto& t = tables[static_cast<std::size_t>(table - 1)];
    return t ? t->rows : 0;
}

int columnsOf(const std::vector<std::shared_ptr<TableDef>>& tables, int table) {
    const auto& t = tables[static_cast<std::size_t>(table - 1)];
    return t ? t->cols : 0;
}

// Fields 14..16: row and column must be there, the table must exist, and then
// row and column must lie inside that table. gridFile names the grid in messages.
bool readGridCell(FieldReader& r, const std::vector<std::shared_ptr<TableDef>>& tables, int& row,
                  int& column, int& table, const char* rowName, const char* columnName,
                  const char* tableName, const std::string* gridFile) {
    if (!r.present(row, rowName) || !r.present(column, columnName)) return false;
    if (!r.inRange(table, 1, static_cast<int>(tables.size()), tableName, RowsOf{gridFile, "tables", 0}))
        return false;
    return r.check(row, 1, rowsOf(tables, table), rowName, RowsOf{gridFile, "rows", table}) &&
           r.check(column, 1, columnsOf(tables, table), columnName, RowsOf{gridFile, "columns", table});
}

bool readPostprisonFields(FieldReader& r, CaseFields& c) {
    // The fifth field shares the third one's name in messages.
    return r.present(c.postprisonLevel, "Length of Post Prison") &&
           r.present(c.postprisonSentence, "Length of Post Prison Sentence") &&
           r.present(c.postprisonRestitution, "Length of Post Prison Restitution") &&
           r.present(c.firstParole, "Length of First Parole") &&
           r.present(c.secondParole, "Length of Post Prison Restitution");
}

} // namespace

CaseRead readCase(CMicroDataFile& f, const CaseSetup& setup, RandomNumberGenerator& rng, Host& host,
                  CaseFields& out) {
    const StateTables& st = setup.st;
    out = CaseFields{};
    CaseFields& c = out; // filled as far as the line could be read
    c.caseNumber = f.lineCount();
    // Without an identifier there is no case: an empty line ends the run quietly.
    if (!f.NextInt(c.caseIdentifier)) return CaseRead::Silent;

    FieldReader r(f, host, c.caseNumber);
    const CaseFileNames* files = setup.files;
    const RowsOf labels{files ? &files->labels : nullptr, "labels for this variable", 0};
    if (!r.inRange(c.gender, 1, st.count(VarGender), "Gender", labels)) return CaseRead::Error;
    if (!r.inRange(c.race, 1, st.count(VarRace), "Race", labels)) return CaseRead::Error;
    if (!r.present(c.age, "Age")) return CaseRead::Error;
    c.ageGroup = setup.ageGroups.lookup(c.age);
    if (!r.inRange(c.offense, 1, st.count(VarOffense), "Offense", labels)) return CaseRead::Error;
    if (!r.months(c.sentenceLength, c.sentenceMonths, "Sentence Length")) return CaseRead::Error;

    // The case's one random day, drawn here whatever the later fields hold.
    c.randomDay = static_cast<int>(rng.Uniform() * 10.0 * 3.0);

    if (!r.present(c.felonyType, "Felony Type")) return CaseRead::Error;
    const int felonyTypes = st.count(VarFelonyType);
    if (c.felonyType < 1 || c.felonyType > felonyTypes) c.felonyType = felonyTypes;
    if (!r.inRange(c.region, 1, st.count(VarRegion), "Region", labels)) return CaseRead::Error;

    // The days read are checked before conversion, so a missing or negative
    // value cannot round into range.
    if (!r.inRange(c.prisonDays, 0, MaxDays, "Length of Prison Sentence in Days")) return CaseRead::Error;
    c.prisonTerm = static_cast<int>(c.randomDay / 30.5 + c.prisonDays);
    if (!r.inRange(c.jailTime, 0, MaxDays, "Length of Jail Time in Days")) return CaseRead::Error;
    c.jailDays = c.jailTime + c.randomDay;
    if (!r.inRange(c.restitutionTime, 0, MaxDays, "Length of Restitution Time in Days")) return CaseRead::Error;
    c.restitutionDays = c.restitutionTime + c.randomDay;

    if (f.NextInt(c.sentenceLevel) && c.sentenceLevel == 0) c.sentenceLevel = 1;
    if (!r.check(c.sentenceLevel, 1, MaxSentenceLevel, "Sentence Level")) return CaseRead::Error;
    const RowsOf counties{files ? &files->county : nullptr, "counties", 0};
    if (!r.inRange(c.county, 1, st.numberOfCounties(), "County", counties)) return CaseRead::Error;
    if (!readGridCell(r, st.m_Tables, c.gridRow, c.gridColumn, c.gridTable, "Grid Row", "Grid Column",
                      "Grid Table", files ? &files->grid : nullptr))
        return CaseRead::Error;

    // A missing month is month 0; an unreadable one is refused even when the
    // month is drawn later.
    if (!f.NextInt(c.month)) {
        if (f.tokenStatus() == TokenStatus::Bad) {
            r.illegal("Month", c.month);
            return CaseRead::Error;
        }
        c.month = 0;
    }
    if (setup.randomizeMonth == 0 && !r.check(c.month, 1, 12, "Month")) return CaseRead::Error;

    if (!r.present(c.weight, "Weight")) return CaseRead::Error;
    if (!r.months(c.parole, c.paroleMonths, "Parole")) return CaseRead::Error;

    if (setup.postprisonOption != 0) {
        if (!readPostprisonFields(r, c)) return CaseRead::Error;
        if (setup.dualGuidelines != 0) {
            c.extraRow = c.extraColumn = c.extraTable = -1;
            if (!readGridCell(r, st.Postables, c.extraRow, c.extraColumn, c.extraTable, "Extra Grid Row",
                              "Extra Grid Column", "Extra Grid Table", files ? &files->stockGrid : nullptr))
                return CaseRead::Error;
        }
    }
    return CaseRead::Ok;
}

void storeOffender(const CaseFields& fields, Offender& record) {
    record.caseNumber = fields.caseNumber;
    record.gender = fields.gender;
    record.race = fields.race;
    record.ageGroup = fields.ageGroup;
    record.offense = fields.offense;
    record.felonyType = fields.felonyType;
    record.region = fields.region;
    record.sentenceMonths = fields.sentenceMonths;
    record.paroleMonths = fields.paroleMonths;
}

int sentenceLengthGroup(const Groups& sentenceLengthGroups, int sentenceMonths) {
    if (sentenceLengthGroups.count() < 2) return 1;
    return sentenceLengthGroups.lookup(sentenceMonths);
}

} // namespace kov

// The prison kinds: breakdowns, entry and exit series and program
// populations, and the felony tables by gender and age group.
#include "engine/programs.h"
#include "reports/csv/csv_tables.h"

namespace kov {

namespace {
constexpr int PrisonYears = 10;
} // namespace

CsvRecords CsvTables::prison() const {
    CsvRecords out;
    const StateTables& st = e.st;
    const Layout layout{120, 11, PrisonYears, false};
    if (opt.prisonDemographics) breakdowns(out, st.Tops, "Prison", layout, false);
    if (opt.prisonDemographics || opt.prisonEntryExit) totalPerMonth(out, "Prison", st.Tops[7], layout);
    if (!opt.prisonEntryExit || totalsOnly_) return out;

    const std::string sw = TableWriter::titleWord(e.ctx.params.ProbationWord);
    const std::string rw = TableWriter::titleWord(e.ctx.params.ParoleWord);
    summedBlock(out, "New Prison Entries Not Including " + sw + " or " + rw + " Revocations", st.Entry, 0, PrisonYears);
    summedBlock(out, "Prison Entries Due to " + sw + " Revocation", st.Prc, 0, PrisonYears);
    summedBlock(out, "Prison Entries Due to " + rw + " Revocation", st.Parc, 0, PrisonYears);
    summedBlock(out, "Entries Into Pre-release", st.Work, 0, PrisonYears);
    summedBlock(out, "Prison Entries Due to Failure of Pre-release", st.Pwrc, 0, PrisonYears);
    summedBlock(out, "Total Admissions", st.Totc, 0, PrisonYears);
    summedBlock(out, "Total Releases", st.Rel, 0, PrisonYears);
    if (e.ctx.params.NorvaleCustomizations != 0 && e.programs) programs(out);
    return out;
}

void CsvTables::programs(CsvRecords& out) const {
    for (const Program& p : e.programs->programs) {
        // The occupancy starts the program's backup years before the first simulated year.
        const long long first = 12LL * p.backupYears;
        monthRows(out, csvTitle(p.name), PrisonYears, [&](std::size_t m) {
            const long long at = first + static_cast<long long>(m);
            return at >= 0 && at < p.occupancyMonths() ? p.occupancy[static_cast<std::size_t>(at)] : 0.0;
        });
    }
}

CsvRecords CsvTables::felony() const {
    CsvRecords out;
    if (totalsOnly_) return out;
    const StateTables& st = e.st;
    const ClassificationVariable& genders = st.Values[VarGender];
    const ClassificationVariable& ages = st.Values[VarAge];
    static const Series none;
    for (int g = 0; g < genders.count; ++g) {
        for (int a = 0; a < ages.count; ++a) {
            const auto gi = static_cast<std::size_t>(g), ai = static_cast<std::size_t>(a);
            const std::string gender = gi < genders.labelsptr.size() ? genders.labelsptr[gi].text : "";
            const std::string age = ai < ages.labelsptr.size() ? ages.labelsptr[ai].text : "";
            const std::string title = csvTitle("Prison " + st.Values[VarOffense].name + " for " + gender + "s of age " + age);
            const bool present = gi < st.CrimeByAgeAndGender.size() && ai < st.CrimeByAgeAndGender[gi].size();
            breakdown(out, title, st.Values[VarOffense], present ? st.CrimeByAgeAndGender[gi][ai] : none,
                      Layout{120, 11, PrisonYears, false});
        }
    }
    return out;
}

} // namespace kov

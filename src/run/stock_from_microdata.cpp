// The initial prison stock read from the stock microdata file: every sampled
// record is a prisoner whose remaining time gives the release month. Its
// release is recorded in the stock release tables of every breakdown, and it
// is handed to the post-prison engine for the totals and for each table.
#include "base/format.h"
#include "engine/microdata_file.h"
#include "engine/read_case.h"
#include "run/simulation.h"
#include "run/stock_record.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kov {
namespace {

constexpr int StockCells = 121;

std::size_t u(int v) { return static_cast<std::size_t>(v); }

// Breakdown tables in the order a record fills them after the totals.
constexpr int BreakdownOrder[] = {VarGender, VarRace, VarRegion, VarAge, VarOffense, VarSentenceLength, VarFelonyType};

// Place of a breakdown table among a felony type's stock tables: 0..4 as they
// are, region in place 5 (the felony type itself has none), totals in 6.
int felonySlot(int k) { return k < VarFelonyType ? k : k - 1; }

} // namespace

// The calls made for a side population (a felony type's tables, the admission
// groups by offense, offenses by age and gender) add only the population that
// returns by revocation: supervision and sanctions were counted once already.
void Simulation::stockPostprison(CallRole role, int category, Series& pop, const StockRecord& r, double w,
                                 bool sidePopulation) {
    engine_.postprison({.role = role,
                        .pop = &pop,
                        .category = category,
                        .releaseMonth = r.lenp2,
                        .weight = w,
                        .supervisionProbability = 1.0,
                        .supervisionMonths = r.lengthOfPostprison,
                        .treatmentDays = r.restitutionDays,
                        .firstParole = r.firstParole,
                        .secondParole = r.secondParole,
                        .level = r.postprisonSentencing,
                        .sidePopulation = sidePopulation});
}

void Simulation::recordStockCase(const StockRecord& r, int sentenceGroup, double w) {
    StateTables& st = engine_.st;
    const int month = r.lenp2 - 1;
    const int f = r.felonyType - 1;
    const bool felonyArrays = u(f) < st.StockForFelonyType.size() && u(f) < st.PrisonDemosByFelonyType.size();

    // Totals. Events are counted in this call alone; the felony type's totals
    // call below only adds its population.
    engine_.err.record("createStockFromMicrodata", 5720);
    stockPostprison({.table = 7, .countsTotals = true}, 1, st.Tops[7], r, w);
    engine_.AddStockRelease(7, 0, month, w, 1.0);
    // A totals-only run needs nothing more of the stock.
    if (engine_.totalsOnly) return;
    if (felonyArrays) {
        engine_.AddStockReleaseByFelony(felonySlot(7), f, 0, month, w, 1.0);
        stockPostprison({.table = 7}, 1, st.PrisonDemosByFelonyType[u(f)][7], r, w, true);
    }

    for (int k : BreakdownOrder) {
        int category = 0;
        switch (k) {
        case VarGender: category = r.gender; break;
        case VarRace: category = r.race; break;
        case VarRegion: category = r.region; break;
        case VarAge: category = r.ageGroup; break;
        case VarOffense: category = r.offense; break;
        case VarSentenceLength: category = sentenceGroup; break;
        default: category = r.felonyType; break;
        }
        engine_.err.record("createStockFromMicrodata", 5740);
        engine_.AddStockRelease(k, category - 1, month, w, 1.0);
        stockPostprison({.table = k}, category, st.Tops[u(k)], r, w);
        if (k != VarFelonyType && felonyArrays) {
            engine_.AddStockReleaseByFelony(felonySlot(k), f, category - 1, month, w, 1.0);
            stockPostprison({.table = k}, category, st.PrisonDemosByFelonyType[u(f)][u(k)], r, w, true);
        }
        if (k != VarOffense) continue;

        const int o = r.offense - 1;
        if (u(f) < st.StockForAdmissionGroups.size() && u(o) < st.StockForAdmissionGroups[u(f)].size() &&
            u(f) < st.TotalsByAdmissionGroupAndOffense.size() && u(o) < st.TotalsByAdmissionGroupAndOffense[u(f)].size()) {
            Series& release = st.StockForAdmissionGroups[u(f)][u(o)];
            if (month >= 0 && !release.empty()) release[std::min(u(month), release.size() - 1)] += w;
            // The series holds one row: category 1.
            stockPostprison({.table = VarOffense}, 1, st.TotalsByAdmissionGroupAndOffense[u(f)][u(o)], r, w, true);
        }
        const int g = r.gender - 1, a = r.ageGroup - 1;
        if (u(g) < st.StockForAgeAndGender.size() && u(a) < st.StockForAgeAndGender[u(g)].size() &&
            u(g) < st.CrimeByAgeAndGender.size() && u(a) < st.CrimeByAgeAndGender[u(g)].size()) {
            Series& release = st.StockForAgeAndGender[u(g)][u(a)];
            const std::size_t at = u(o) * StockCells + u(std::min(month, StockCells - 1));
            if (month >= 0 && at < release.size()) release[at] += w;
            stockPostprison({.table = VarOffense}, r.offense, st.CrimeByAgeAndGender[u(g)][u(a)], r, w, true);
        }
    }
}

bool Simulation::createStockFromMicrodata() {
    engine_.err.record("createStockFromMicrodata", 5700);
    StateTables& st = engine_.st;
    CMicroDataFile file;
    if (!openMicrodata(file, StockMicrodataFile)) return false;
    engine_.err.m_CaseNumber = 0;

    const double fraction = engine_.ctx.params.SamplingFraction;
    // A fraction that is not a number above 0 keeps every record out of the sample.
    const bool sampling = std::isfinite(fraction) && fraction > 0.0;
    const StockSetup setup{st, engine_.ageGroups, engine_.dualGuidelines, &engine_.caseFiles};
    bool failed = false;

    while (!failed && engine_.err.m_CaseNumber < st.StockMicrodataLineLimit && file.ReadLine()) {
        engine_.err.record("createStockFromMicrodata", 5710);
        engine_.err.m_CaseNumber = file.lineCount();
        if (engine_.err.m_CaseNumber % 100 == 0) {
            host.status(format("Stock Microdata Sequence # %d", engine_.err.m_CaseNumber));
            if (engine_.Abort()) {
                host.status("User Canceled Stock Creation");
                failed = true;
                break;
            }
        }
        const double draw = engine_.ctx.crt.rand() / 32767.0;
        if (!sampling || draw > fraction) continue;

        StockRecord r;
        if (readStockRecord(file, setup, engine_.ctx.crt, host, r) != StockRead::Ok) {
            failed = true;
            break;
        }
        const int sentenceGroup = sentenceLengthGroup(engine_.sentenceLengthGroups, r.prisonMonths);

        // The post-prison probabilities of the record's grid cell.
        const auto& defs = engine_.dualGuidelines != 0 ? st.Postables : st.m_Tables;
        const int cols = defs[u(r.gridTable - 1)]->cols; // the table exists: the reader checked it
        const int cell = (r.gridRow - 1) * cols + r.gridColumn - 1;
        for (int q = 0; q < PostprisonOutcomeCount; ++q) {
            const SeriesList& tables = st.Pp[u(q)];
            double v = 0.0;
            if (u(r.gridTable - 1) < tables.size() && u(cell) < tables[u(r.gridTable - 1)].size())
                v = tables[u(r.gridTable - 1)][u(cell)];
            engine_.postCell[u(q)] = v < 0.0 ? 0.0 : v;
        }

        // Unweighted count of releases by month, from the whole months still to serve.
        if (r.remainingTime >= 1.0 && r.remainingTime < 121.0)
            ++engine_.stockReleaseCounts[u(static_cast<int>(r.remainingTime) - 1)];

        recordStockCase(r, sentenceGroup, r.weight / fraction);
    }
    if (!failed && file.failed()) {
        host.messageAt(file.faultText(), MessageIcon::Stop, Location{file.name(), file.lineCount() + 1, {}, {}});
        failed = true;
    }
    file.Close();
    if (failed) return false;
    return writeStockOutput();
}

} // namespace kov

// One court case: sampling, reading and checking, weights by year and trend,
// and the case handed year by year to the prison, post-prison and non-prison
// operations for the totals and every breakdown table.
#include "engine/engine.h"
#include "base/format.h"
#include "engine/microdata_file.h"
#include "engine/noprison_setup.h"
#include "engine/programs.h"
#include "engine/read_case.h"

#include <cmath>

namespace kov {
namespace {

std::size_t u(int v) { return static_cast<std::size_t>(v); }

// Breakdown tables in the order the year loop fills them.
constexpr int BreakdownOrder[] = {VarGender, VarRace, VarRegion, VarAge, VarOffense, VarSentenceLength, VarFelonyType};

} // namespace

int Engine::drawMonth() {
    const double r = caseGenerator->Uniform();
    for (int m = 1; m <= 12; ++m)
        if (r <= st.MonthDistribution[u(m - 1)]) return m;
    return 12;
}

void Engine::drawLiveGraph() {
    // The totals so far with their pending ranges, which stay pending: a run
    // with the chart adds every table as one without it does.
    Series totals(st.Tops[7].begin(), st.Tops[7].begin() + 120);
    rangeSums.addPendingTo(st.Tops[7], totals);
    // The stock still in prison is added as the totals get it after the last case.
    dotopSaveStockSum(st.Stocks[7], totals);
    liveGraph(totals, m_MonthLabels);
}

int Engine::runproj() {
    err.record("runproj", 3000);
    if (!microdata->ReadLine()) {
        if (microdata->failed()) {
            host.messageAt(microdata->faultText(), MessageIcon::Stop,
                           Location{microdata->name(), microdata->lineCount() + 1, {}, {}});
            return -1;
        }
        flushRanges(); // the county jail totals read the jail counters
        // The chart ends on the totals of every case, as the outputs do.
        if (liveGraph && graphInterval > 0) drawLiveGraph();
        addUpCountyJail();
        return 2;
    }
    const int caseNumber = microdata->lineCount();
    err.m_CaseNumber = caseNumber;
    // Every interval the chart shows the cases done so far, the one just read not yet.
    const int casesDone = caseNumber - 1;
    if (liveGraph && graphInterval > 0 && casesDone > 0 && casesDone % graphInterval == 0) drawLiveGraph();

    if (caseNumber % 100 == 0) {
        host.status(format("Processed Microdata Sequence # %d", caseNumber));
        host.progress(caseNumber, 0);
        if (Abort()) return -1;
    }

    // Sampling; a fraction that is not a number above 0 keeps every case out.
    const double r = caseGenerator->Uniform();
    if (!(std::isfinite(samplingThreshold) && samplingThreshold > 0.0) || r > samplingThreshold) return 0;

    CaseFields c;
    const CaseSetup setup{st, ageGroups, postprisonOption, dualGuidelines, ctx.params.RandomizeMonth, &caseFiles};
    const CaseRead read = readCase(*microdata, setup, *caseGenerator, host, c);
    if (read != CaseRead::Ok) return -1;
    c.caseNumber = caseNumber;
    if (!caseChanges.empty() && !changeSentence(c, 0)) return -1;

    const int t = c.gridTable - 1, row = c.gridRow - 1, col = c.gridColumn - 1;
    for (Array3* grid : {&st.m_ProbCounts, &st.m_GridNow}) {
        if (!grid->inRange(t, row, col)) {
            host.message(std::string("Get or Put Failed for") + (grid == &st.m_ProbCounts ? "m_ProbCounts" : "m_GridNow") +
                             " because the index is outside the array\n" +
                             format("indexes = %d, %d, %d", t, row, col),
                         MessageIcon::Stop);
            return -1;
        }
        grid->at(t, row, col) += c.weight;
    }
    storeOffender(c, off);
    acceptedCase = true;

    const RunParameters& p = ctx.params;
    auto& TW = ctx.params.TrendWeights;
    const int cols = st.m_Tables[u(t)]->cols;
    const int cell = row * cols + col;
    if (p.NorvaleCustomizations != 0) {
        if (p.RandomizeMonth != 0) c.month = drawMonth();
        for (int k = 0; k < 15; ++k) TW[u(k)] = 1.0;
        for (int k = 0; k < 15; ++k) {
            const Series& yearWeights = st.TrendsByAdmissionGroup[u(k)];
            TW[u(15 + k)] = u(off.felonyType - 1) < yearWeights.size() ? yearWeights[u(off.felonyType - 1)] : 0.0;
        }
        off.prisonProbability = st.P[1][u(t)][u(cell)];
    }

    // Trend multipliers: products of the weights out from the first simulated year.
    std::array<double, 30> M{};
    M[15] = TW[15];
    M[14] = M[15] * TW[14];
    for (int i = 16; i <= 29; ++i) {
        M[u(i)] = M[u(i - 1)] * TW[u(i)];
        M[u(29 - i)] = M[u(30 - i)] * TW[u(29 - i)];
    }
    const double base = c.weight * p.CourtVolume / samplingThreshold;
    CaseWeights W;
    for (int i = 0; i < 30; ++i) W.byYear[u(i)] = base * M[u(i)];

    int years = 10;
    if (p.NorvaleCustomizations != 0) years += programs ? programs->largestBackupYears : 5;
    return simulateYears(c, W, years) ? 0 : -1;
}

void Engine::setCaseRows(const CaseFields& c, const CaseWeights& W) {
    // Shared flows scale the totals' amounts by the factor, which keeps every
    // comparison of an amount with zero only for weights and factors of one sign.
    caseAge = c.age;
    bool usable = profile != nullptr && deferRanges;
    for (double w : W.byYear) usable = usable && std::isfinite(w) && w >= 0.0;
    profiled = usable;
    if (profiled) {
        // Every call of the case reads the same grid cell and parameters.
        ns = computeNoprisonSetup(st, ctx.params, c.gridRow, c.gridColumn, c.gridTable, c.prisonTerm,
                                  c.restitutionDays, c.jailDays, c.county, off.region);
        setPrisonSetup(c.gridTable, c.gridRow, c.gridColumn);
        setPostprisonLengths();
    }
    const int jailGroup = jailGroups.lookup(c.jailTime);

    const int sentenceGroup = sentenceLengthGroup(sentenceLengthGroups, off.sentenceMonths);
    for (int k : BreakdownOrder) {
        CaseRow& r = caseRows[u(k)];
        switch (k) {
        case VarGender: r.category = off.gender; break;
        case VarRace: r.category = off.race; break;
        case VarRegion: r.category = off.region; break;
        case VarAge: r.category = off.ageGroup; break;
        case VarOffense: r.category = off.offense; break;
        case VarSentenceLength: r.category = sentenceGroup; break;
        default: r.category = off.felonyType; break;
        }
        const auto& labels = st.Values[u(k)].labelsptr;
        r.factor = u(r.category - 1) < labels.size() ? labels[u(r.category - 1)].value : 0.0;
        const bool scalable = usable && std::isfinite(r.factor) && r.factor >= 0.0;
        // The age table's row changes as the case ages: the totals' calls
        // split their stays by age for it, and its own back-dated calls
        // differ from the totals'. The sentence-length table keeps its jail
        // by day and by jail-length group; the gender table's non-prison call
        // is the one that counts the totals.
        r.sharedStays = scalable && (k != VarAge || caseAge >= 0);
        r.sharedSanctions = scalable && (k == VarRace || k == VarRegion || k == VarOffense || k == VarFelonyType);
        r.sharedSanctionRows = scalable && !r.sharedSanctions;
        r.sanctionCategory = k == VarSentenceLength ? jailGroup : r.category;
    }
    sharedSanctions = false;
    for (const CaseRow& r : caseRows) sharedSanctions = sharedSanctions || r.sharedSanctions || r.sharedSanctionRows;
}

void Engine::setPostCell(const CaseFields& c) {
    if (postprisonOption == 0) return;
    // The extra grid with dual guidelines, else the main one.
    const bool dual = dualGuidelines != 0;
    const int gTable = dual ? c.extraTable : c.gridTable;
    const int gRow = dual ? c.extraRow : c.gridRow;
    const int gCol = dual ? c.extraColumn : c.gridColumn;
    const auto& defs = st.Postables.empty() ? st.m_Tables : st.Postables;
    const int gCell = (gRow - 1) * defs[u(gTable - 1)]->cols + gCol - 1;
    for (int q = 0; q < PostprisonOutcomeCount; ++q) {
        const double v = st.Pp[u(q)][u(gTable - 1)][u(gCell)];
        postCell[u(q)] = v < 0.0 ? 0.0 : v;
    }
}

void Engine::simulateYear(int y, CaseFields& c, const CaseWeights& W) {
    err.record("runproj", 3200);
    const RunParameters& p = ctx.params;
    if (p.RandomizeMonth != 0) c.month = drawMonth(); // the case keeps the month drawn last

    // The court grid's own cell for everything read from the court probabilities.
    const int t = c.gridTable, row = c.gridRow, col = c.gridColumn;
    const int cell = (row - 1) * st.m_Tables[u(t - 1)]->cols + col - 1;
    const double P = st.P[1][u(t - 1)][u(cell)];
    const int s = 12 * y + c.month;
    off.programReturn = 2;

    int S = off.sentenceMonths, L = off.paroleMonths;
    if (p.NorvaleCustomizations != 0) {
        off.prisonProbability = P;
        if (S >= 3 && programs && programStep(y, s, W.admittedIn(y) * P, S, L)) return;
        if (y >= 10) return;
    }

    // What every prison call of the case and year shares; each call names its role, table row, month and weight.
    PrisonCall prisonCall{.role = {},
                          .sentence = S,
                          .parole = L,
                          .cell = {t, row, col},
                          .groups = {off.gender, off.ageGroup, off.felonyType, off.offense}};
    auto admit = [&](CallRole role, Series* pop, int category, int month, double w, int code,
                     std::vector<SeriesList>* extra = nullptr) {
        prisonCall.role = role;
        prisonCall.pop = pop;
        prisonCall.extra = extra;
        prisonCall.category = category;
        prisonCall.month = month;
        prisonCall.weight = w;
        prisonCall.ageCode = code;
        prison(prisonCall);
    };

    PostprisonCall release{.role = {},
                           .supervisionProbability = P,
                           .supervisionMonths = c.postprisonSentence,
                           .treatmentDays = c.postprisonRestitution,
                           .firstParole = c.firstParole,
                           .secondParole = c.secondParole,
                           .level = c.postprisonLevel};
    auto releaseAt = [&](CallRole role, int month, double w) {
        release.role = role;
        release.releaseMonth = month;
        release.weight = w;
        postprison(release);
    };
    // The releases of the year's admissions; under option 3 also of the
    // admissions five and ten years before, back-dated. Only the first
    // release stands for the totals.
    // Inlined: a call of its own for each table costs more than the calls it makes.
    auto postprisonCalls = [&](CallRole role, int category, Series& pop, double f) __attribute__((always_inline)) {
        const bool inYears = role.table == VarFelonyType || y < 6; // the felony-type table follows every year
        if (!(postprisonOption > 0 && S > 0 && inYears)) return;
        release.pop = &pop;
        release.category = category;
        releaseAt(role, s + S, W.admittedBefore(y, 10) * f);
        role.countsTotals = false;
        if (postprisonOption != 3) return;
        const int code = role.table == VarAge ? c.age : BackDatedCode;
        admit(role, &pop, category, s - 60, W.admittedBefore(y, 10) * f, code);
        releaseAt(role, s - 60 + S, W.admittedBefore(y, 15) * f);
        admit(role, &pop, category, s - 120, W.admittedBefore(y, 15) * f, code);
        releaseAt(role, s - 120 + S, W.admittedBefore(y, 15) * f);
    };

    // Totals.
    const CallRole totals{.table = 7, .countsTotals = true, .toProfile = profiled};
    admit(totals, &st.Tops[7], 1, s, W.admittedIn(y), NoAgeCode);
    postprisonCalls(totals, 1, st.Tops[7], 1.0);

    NoprisonInput sanctions{.role = {},
                            .month = s,
                            .cell = {t, row, col},
                            .prisonTerm = c.prisonTerm,
                            .restitutionDays = c.restitutionDays,
                            .jailDays = c.jailDays,
                            .sentenceLevel = c.sentenceLevel,
                            .county = c.county,
                            .region = off.region,
                            .randomDay = c.randomDay,
                            .age = c.age};
    for (int k : BreakdownOrder) {
        if (!fillsTable(k)) continue;
        const CaseRow& r = caseRows[u(k)];
        const int category = r.category;
        const double f = r.factor;
        const CallRole table{.table = k};
        if (!fillsStays(k)) {
            // Only the table's jail and sanctions are wanted.
        } else if (r.sharedStays) {
            // The totals' calls stood for this table up to the sixth year;
            // the felony-type table alone follows releases after it.
            if (k == VarFelonyType && y >= 6) postprisonCalls(table, category, st.Tops[u(k)], f);
            // The age table's admissions before the first year age as the
            // case does, where the totals' are back-dated.
            if (k == VarAge && postprisonOption == 3 && S > 0 && y < 6) {
                admit(table, &st.Tops[u(k)], category, s - 60, W.admittedBefore(y, 10) * f, c.age);
                admit(table, &st.Tops[u(k)], category, s - 120, W.admittedBefore(y, 15) * f, c.age);
            }
        } else {
            const int code = k == VarAge ? c.age : (k == VarSentenceLength ? SentenceLengthCode : NoAgeCode);
            admit(table, &st.Tops[u(k)], category, s, W.admittedIn(y) * f, code);
            if (k == VarOffense && !st.CrimeByAgeAndGender.empty())
                admit(table, nullptr, category, s, W.admittedIn(y) * f, code, &st.CrimeByAgeAndGender);
            postprisonCalls(table, category, st.Tops[u(k)], f);
        }

        if (r.sharedSanctions) continue;
        // The gender table's non-prison call stands for the totals; it also
        // writes the case profile's jail and sanctions, with factor 1, for
        // the tables that share them.
        const bool standsForTotals = k == VarGender;
        sanctions.role = {.table = k, .countsTotals = standsForTotals};
        sanctions.category = r.sanctionCategory;
        sanctions.sanctionWeight = y < 7 ? W.admittedBefore(y, 5) * f : -1.0;
        sanctions.supervisionWeight = W.admittedBefore(y, 10) * f;
        sanctions.profileWeight = standsForTotals && sharedSanctions && y < 7 ? W.admittedBefore(y, 5) : -1.0;
        noprison(sanctions);
    }
}

void Engine::addUpCountyJail() {
    err.record("runproj", 3400);
    for (int ci = 0; ci < st.numberOfCounties(); ++ci) {
        const County& county = st.Counties[u(ci)];
        Series& jail = st.Tjailc[u(ci)];
        Series& total = st.Jailtot[u(ci)];
        Series& days = st.Jaildays[u(ci)];
        for (int y = 0; y < 10; ++y) {
            const int i = 35 + 12 * y;
            total[u(y)] += county.count2 + county.count3 + county.count4 + jail[u(i)];
            for (int m = i; m > i - 12; --m) {
                days[u(y)] += jail[u(m)];
                jail[u(m)] = 0.0;
            }
        }
        for (int y = 0; y < 10; ++y) yearJailTotals[u(y)] += total[u(y)];
    }
}

} // namespace kov

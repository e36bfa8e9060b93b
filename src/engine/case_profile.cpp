// Adding one case's profile to the totals and to every breakdown table that
// shares it: the same months, each table's row, scaled by its factor.
#include "engine/case_profile.h"

#include "engine/engine.h"
#include "engine/table_rows.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace kov {
namespace {

std::size_t u(long v) { return static_cast<std::size_t>(v); }

/// table row `category` (rows of rowLength) += f x source over span, the
/// cells past the end of the table left out.
[[gnu::noinline]] void addScaled(Series& table, int category, std::size_t rowLength, const Series& source, Span span, double f) {
    if (category < 1 || span.lo >= span.hi) return;
    const std::size_t row = u(category - 1) * rowLength;
    if (row >= table.size()) return;
    const std::size_t hi = std::min(span.hi, table.size() - row);
    double* cells = table.data() + row;
    for (std::size_t i = span.lo; i < hi; ++i) cells[i] += f * source[i];
}

constexpr std::size_t SumLength = 85 + 5 * 73;
constexpr long MostCategorySums = 4096;
constexpr int SummedTables[2][3] = {{VarGender, VarRace, VarRegion}, {VarAge, VarOffense, VarFelonyType}};

/// Categories of a summed table: its labels, as its factors are looked up.
long categories(const StateTables& st, int k) { return static_cast<long>(st.Values[u(k)].labelsptr.size()); }

long categorySumCount(const StateTables& st, std::size_t group) {
    long count = 1;
    for (int k : SummedTables[group]) count *= categories(st, k);
    return count;
}

/// The sum of the group the current case's jail and sanctions go to, or -1
/// when its tables add them themselves.
long categorySum(const Engine& e, std::size_t group) {
    const long count = categorySumCount(e.st, group);
    if (count <= 0 || count > MostCategorySums) return -1;
    long index = 0;
    for (int k : SummedTables[group]) {
        const CaseRow& r = e.caseRows[u(k)];
        const long n = categories(e.st, k);
        if (!(r.sharedSanctions || r.sharedSanctionRows) || r.sanctionCategory < 1 || r.sanctionCategory > n) return -1;
        index = index * n + (r.sanctionCategory - 1);
    }
    return index;
}

/// The non-prison sanction tables in the order of the profile's rows.
std::array<std::array<Series, 8>*, 5> sanctionTables(StateTables& st) {
    return {&st.Trt, &st.Thd, &st.Tcs, &st.Trest, &st.Tfine};
}

/// The age table keeps its jail by age.
bool sumsJail(int k) { return k != VarAge; }

} // namespace

void Engine::addCategorySums() {
    if (!profile) return;
    const auto sanctionRows = sanctionTables(st);
    for (std::size_t group = 0; group < 2; ++group) {
        CaseProfile::CategorySums& g = profile->categorySums[group];
        for (std::size_t index : g.order) {
            Series& sum = g.sums[index];
            // The categories back from the index, the last table's fastest.
            int category[3];
            std::size_t rest = index;
            for (int j = 2; j >= 0; --j) {
                const std::size_t n = u(categories(st, SummedTables[group][j]));
                category[j] = static_cast<int>(rest % n) + 1;
                rest /= n;
            }
            for (int j = 0; j < 3; ++j) {
                const int k = SummedTables[group][j], c = category[j];
                if (!fillsTable(k)) continue;
                const double f = st.Values[u(k)].labelsptr[u(c - 1)].value;
                // Row c of a table of rows of n cells += f x the sum's cells from `from`.
                auto add = [&](Series& table, std::size_t n, std::size_t from) {
                    if (!hasRow(table, c, static_cast<long>(n))) return;
                    double* cells = table.data() + u(c - 1) * n;
                    for (std::size_t i = 0; i < n; ++i) cells[i] += f * sum[from + i];
                };
                if (sumsJail(k)) add(st.Tjail[u(k)], 85, 0);
                for (std::size_t i = 0; i < 5; ++i) add((*sanctionRows[i])[u(k)], 73, 85 + 73 * i);
            }
            std::fill(sum.begin(), sum.end(), 0.0);
            g.used[index] = 0;
        }
        g.order.clear();
    }
}

void Engine::addCaseProfile() {
    CaseProfile& p = *profile;
    // Cells outside the spans written are zero: the sums need only the spans.
    const Span mainSpan = p.mainSpan, backSpan = p.backDatedSpan, revocationSpan = p.revocationSpan;
    const Span staysSpan{std::min(mainSpan.lo, backSpan.lo), std::max(mainSpan.hi, backSpan.hi)};
    const Span allSpan{std::min(staysSpan.lo, revocationSpan.lo), std::max(staysSpan.hi, revocationSpan.hi)};
    for (std::size_t i = allSpan.lo; i < allSpan.hi; ++i) {
        p.stays[i] = p.mainStays[i] + p.backDatedStays[i];
        p.population[i] = p.stays[i] + p.revocationStays[i];
    }

    // A table of category rows of 120 months: the revocations go only to a
    // row that is whole; stays are cut at the end of the table.
    auto addStays = [&](Series& table, int category, double f) {
        if (hasRow(table, category, 120))
            addScaled(table, category, 120, p.population, allSpan, f);
        else
            addScaled(table, category, 120, p.stays, staysSpan, f);
    };

    // The totals.
    addStays(st.Tops[7], 1, 1.0);
    const bool sideTables = fillsSideTables();
    if (Series* d = sideTables ? demographicsOf(st, off.felonyType, 7) : nullptr)
        addScaled(*d, 1, 120, p.stays, staysSpan, 1.0);
    if (Series* g = sideTables ? entryOf(&st.TotalsByAdmissionGroupAndOffense, off.felonyType, off.offense) : nullptr)
        addScaled(*g, 1, 120, p.mainStays, mainSpan, 1.0);

    // Post-prison sanctions: the gender and race rows, or the total row under option 1.
    std::array<Series, 3>* const post[] = {&st.Tprt, &st.Tphd, &st.Tpcs, &st.Tprest, &st.Tpfine};
    const std::array<Span, 5> postSpans = p.postSpans;

    for (int k = 0; k < 7; ++k) {
        const CaseRow& r = caseRows[u(k)];
        if (!r.sharedStays || !fillsStays(k)) continue;
        if (k == VarAge) {
            // Its stays went in by age as they were made; revocations go to
            // the row of the age group at sentencing.
            if (hasRow(st.Tops[u(k)], r.category, 120))
                addScaled(st.Tops[u(k)], r.category, 120, p.revocationStays, revocationSpan, r.factor);
        } else {
            addStays(st.Tops[u(k)], r.category, r.factor);
            if (Series* d = demographicsOf(st, off.felonyType, k)) addScaled(*d, r.category, 120, p.stays, staysSpan, r.factor);
        }
        if (k == VarOffense) {
            if (Series* crime = entryOf(&st.CrimeByAgeAndGender, off.gender, off.ageGroup))
                addScaled(*crime, r.category, 120, p.mainStays, mainSpan, r.factor);
        }
        const bool option1 = postprisonOption == 1;
        if (!option1 && k != VarGender && k != VarRace) continue;
        const std::size_t slot = option1 ? 2 : u(k);
        const int c = option1 ? 1 : r.category;
        for (std::size_t i = 0; i < 5; ++i) {
            Series& table = (*post[i])[slot];
            if (hasRow(table, c, 121)) addScaled(table, c, 121, p.postSanctions[i], postSpans[i], r.factor);
        }
    }

    // Jail and the non-prison sanctions.
    const Span jailSpan = p.jailSpan;
    const std::array<Span, 5> sanctionSpans = p.sanctionSpans;
    const auto sanctionRows = sanctionTables(st);
    bool summed[7] = {};
    for (std::size_t group = 0; group < 2; ++group) {
        // A group's sums are kept whole while one of its tables is filled: the
        // table's rows come from them, as in a full run.
        const bool filled = std::any_of(std::begin(SummedTables[group]), std::end(SummedTables[group]),
                                        [&](int k) { return fillsTable(k); });
        const long sum = filled ? categorySum(*this, group) : -1;
        if (sum < 0) continue;
        CaseProfile::CategorySums& g = p.categorySums[group];
        const std::size_t count = u(categorySumCount(st, group));
        if (g.sums.size() != count) {
            g.sums.assign(count, Series{});
            g.used.assign(count, 0);
        }
        Series& into = g.sums[u(sum)];
        if (into.empty()) into.assign(SumLength, 0.0);
        if (!g.used[u(sum)]) {
            g.used[u(sum)] = 1;
            g.order.push_back(u(sum));
        }
        for (std::size_t i = jailSpan.lo; i < jailSpan.hi; ++i) into[i] += p.jail[i];
        for (std::size_t j = 0; j < 5; ++j) {
            double* row = into.data() + 85 + 73 * j;
            for (std::size_t i = sanctionSpans[j].lo; i < sanctionSpans[j].hi; ++i) row[i] += p.sanctions[j][i];
        }
        for (int k : SummedTables[group]) summed[k] = true;
    }
    for (int k = 0; k < 7; ++k) {
        const CaseRow& r = caseRows[u(k)];
        if (!r.sharedSanctions && !r.sharedSanctionRows) continue;
        if (summed[k] || !fillsTable(k)) continue;
        // The age table keeps its jail by age, the sentence-length table its
        // jail and residential treatment by day.
        const bool jail = r.sharedSanctions || (k != VarAge && k != VarSentenceLength);
        const int c = r.sanctionCategory;
        if (jail && hasRow(st.Tjail[u(k)], c, 85)) addScaled(st.Tjail[u(k)], c, 85, p.jail, jailSpan, r.factor);
        for (std::size_t i = k == VarSentenceLength ? 1 : 0; i < 5; ++i) {
            Series& table = (*sanctionRows[i])[u(k)];
            if (hasRow(table, c, 73)) addScaled(table, c, 73, p.sanctions[i], sanctionSpans[i], r.factor);
        }
    }

    // Ready for the next case.
    auto clear = [](Series& row, Span span) {
        if (span.lo < span.hi) std::fill(row.begin() + static_cast<long>(span.lo), row.begin() + static_cast<long>(span.hi), 0.0);
    };
    clear(p.mainStays, mainSpan);
    clear(p.backDatedStays, backSpan);
    clear(p.revocationStays, revocationSpan);
    for (std::size_t i = 0; i < 5; ++i) {
        clear(p.postSanctions[i], postSpans[i]);
        clear(p.sanctions[i], sanctionSpans[i]);
    }
    clear(p.jail, jailSpan);
    clear(p.stays, allSpan);
    clear(p.population, allSpan);
    p.mainSpan = p.backDatedSpan = p.revocationSpan = p.jailSpan = Span::none();
    p.postSpans.fill(Span::none());
    p.sanctionSpans.fill(Span::none());
}

} // namespace kov

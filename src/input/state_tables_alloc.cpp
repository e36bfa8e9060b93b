// Allocation of the state tables, in catalogue order, zero-filled.
#include "input/state_tables_ops.h"
#include "base/host.h"

#include <algorithm>
#include <new>       // std::bad_alloc
#include <stdexcept> // std::length_error
#include <string>

namespace kov {

namespace {

/// Elements of an a x b x c table, computed in 64 bits. Refuses negative counts
/// and sizes beyond MaxTableElements the way a vector refuses an impossible size.
/// Elements given out by the allocation under way: all the tables together
/// stay under MaxTotalElements, so counts that are each acceptable cannot
/// multiply into an allocation no machine can hold.
thread_local std::uint64_t allocatedElements = 0;

void charge(std::uint64_t n) {
    if (n > MaxTotalElements - std::min(allocatedElements, MaxTotalElements))
        throw std::length_error("the tables together are larger than the limit");
    allocatedElements += n;
}

std::size_t tableSize(long long a, long long b = 1, long long c = 1) {
    if (a < 0 || b < 0 || c < 0) throw std::length_error("a table dimension is negative");
    std::uint64_t n = static_cast<std::uint64_t>(a);
    for (const long long factor : {b, c}) {
        const auto f = static_cast<std::uint64_t>(factor);
        if (f != 0 && n > MaxTableElements / f) throw std::length_error("the table is larger than the limit");
        n *= f;
    }
    if (n > MaxTableElements) throw std::length_error("the table is larger than the limit");
    charge(n);
    return static_cast<std::size_t>(n);
}

/// An array of n references to runs: each reference costs about three doubles.
std::size_t references(long long n) {
    const std::size_t size = tableSize(n);
    charge(2 * static_cast<std::uint64_t>(size));
    return size;
}

Series zeros(std::size_t n) { return Series(n, 0.0); }

std::string unable(const std::string& name) { return "Unable to allocate memory for " + name; }
std::string idx(std::size_t i) { return "[" + std::to_string(i) + "]"; }

/// One run of allocation steps: each item either succeeds or shows its message.
class Allocation {
public:
    Allocation(StateTables& st, const TableSwitches& sw, Host& host) : st_(st), sw_(sw), host_(host) {}

    bool run() {
        allocatedElements = 0;
        bool ok = perGroupSanctions() && jailAndSanctions() && byOffense() && byAgeAndGender() &&
                  byFelonyType() && monthlySeries() && perCounty() && tops() && entryExitByFelony();
        // The trend and stock tables are allocated even after an earlier failure.
        const bool trends = trendsByAdmissionGroup();
        const bool stocks = stockTables();
        ok = ok && trends && stocks;
        return ok && stockSum() && stockForAgeAndGender() && gridCounts();
    }

private:
    StateTables& st_;
    const TableSwitches& sw_;
    Host& host_;

    template <class Fn>
    bool item(const std::string& message, Fn&& allocate) {
        try {
            allocate();
            return true;
        } catch (const std::bad_alloc&) {
        } catch (const std::length_error&) {
        }
        host_.message(message, MessageIcon::Stop);
        return false;
    }

    long long C(int k) const { return st_.count(k); }
    long long Cp(int k) const { return st_.countOrTotal(k); }

    bool perGroupSanctions() {
        const long long categories[3] = {C(VarGender), C(VarRace), 1};
        struct Named { std::array<Series, 3> StateTables::*table; const char* name; };
        static constexpr Named tables[] = {{&StateTables::Tprt, "Tprt"}, {&StateTables::Tphd, "Tphd"},
                                           {&StateTables::Tpcs, "Tpcs"}, {&StateTables::Tprest, "Tprest"},
                                           {&StateTables::Tpfine, "Tpfine"}};
        for (std::size_t k = 0; k < 3; ++k)
            for (const Named& t : tables)
                if (!item(unable(std::string(t.name) + " array number " + std::to_string(k)),
                          [&] { (st_.*t.table)[k] = zeros(tableSize(categories[k], 121)); }))
                    return false;
        return true;
    }

    bool jailAndSanctions() {
        struct Named { std::array<Series, 8> StateTables::*table; const char* name; int slots; };
        static constexpr Named tables[] = {{&StateTables::Tjail, "Tjail", 85}, {&StateTables::Trt, "Trt", 73},
                                           {&StateTables::Thd, "Thd", 73},     {&StateTables::Tcs, "Tcs", 73},
                                           {&StateTables::Trest, "Trest", 73}, {&StateTables::Tfine, "Tfine", 73}};
        for (int k = 0; k < 8; ++k) {
            const auto slot = static_cast<std::size_t>(k);
            for (const Named& t : tables) {
                // Entry 4 of the jail and residential tables is kept by jail-length group, by day.
                const bool byDays = k == VarSentenceLength && (t.table == &StateTables::Tjail || t.table == &StateTables::Trt);
                if (!item(unable(t.name + idx(slot)), [&] {
                        (st_.*t.table)[slot] = byDays ? zeros(tableSize(C(VarJailLength), 2520)) : zeros(tableSize(Cp(k), t.slots));
                    }))
                    return false;
            }
        }
        return true;
    }

    /// Felony type f of an F x O table: its O references, then each run.
    bool felonyByOffense(std::vector<SeriesList>& table, std::size_t f, const std::string& name,
                         const std::string& runName, long long months) {
        const long long offenses = C(VarOffense);
        if (!item(unable(name + idx(f)), [&] { table[f] = SeriesList(references(offenses)); })) return false;
        for (std::size_t o = 0; o < table[f].size(); ++o)
            if (!item(unable(runName + idx(f) + idx(o)), [&] { table[f][o] = zeros(tableSize(months)); }))
                return false;
        return true;
    }

    bool byOffense() {
        if (!sw_.excelFileForOffenses) return true;
        const long long felonies = C(VarFelonyType);
        auto& totals = st_.TotalsByAdmissionGroupAndOffense;
        auto& stock = st_.StockForAdmissionGroups;
        if (!item(unable("TotalsByAdmissionGroupAndOffense array"),
                  [&] { totals = std::vector<SeriesList>(references(felonies)); }) ||
            !item(unable("StockForAdmissionGroups array"), [&] { stock = std::vector<SeriesList>(references(felonies)); }))
            return false;
        for (std::size_t f = 0; f < totals.size(); ++f) {
            if (!felonyByOffense(totals, f, "TotalsByAdmissionGroupAndOffense", "TotalsByAdmissionGroupAndOffense", 120) ||
                !felonyByOffense(stock, f, "StockForAdmissionGroups", "StockForAdmissionGroups array number", 121))
                return false;
        }
        return true;
    }

    /// G x A references, each O x months: the crime and stock tables by age and gender.
    bool ageAndGender(std::vector<SeriesList>& table, const std::string& name, long long months) {
        if (!item(unable(name + " array"), [&] { table = std::vector<SeriesList>(references(C(VarGender))); }))
            return false;
        for (std::size_t g = 0; g < table.size(); ++g) {
            if (!item(unable(name + idx(g)), [&] { table[g] = SeriesList(references(C(VarAge))); })) return false;
            for (std::size_t a = 0; a < table[g].size(); ++a)
                if (!item(unable(name + idx(g) + idx(a)),
                          [&] { table[g][a] = zeros(tableSize(C(VarOffense), months)); }))
                    return false;
        }
        return true;
    }

    bool byAgeAndGender() {
        return !sw_.felonyByAgeAndGender || ageAndGender(st_.CrimeByAgeAndGender, "CrimeByAgeAndGender", 120);
    }

    bool byFelonyType() {
        if (!sw_.prisonDemosByFelonyType) return true;
        const long long felonies = C(VarFelonyType);
        auto& stock = st_.StockForFelonyType;
        if (!item(unable("StockForFelonyType pointer number 0"), [&] {
                stock.clear();
                stock.reserve(references(felonies));
            }))
            return false;
        for (long long f = 0; f < felonies; ++f) {
            if (!item(unable("StockForFelonyType pointer number " + std::to_string(f)), [&] { stock.emplace_back(); }))
                return false;
            // Slots skip the felony-type variable itself: slot j is variable j, then j + 1.
            for (int j = 0; j < 7; ++j) {
                const int k = j < VarFelonyType ? j : j + 1;
                if (!item(unable("StockForFelonyType array number " + std::to_string(j)),
                          [&] { stock.back()[static_cast<std::size_t>(j)] = zeros(tableSize(Cp(k), 121)); }))
                    return false;
            }
        }
        auto& demos = st_.PrisonDemosByFelonyType;
        if (!item(unable("PrisonDemosByFelonyType array"), [&] {
                demos.clear();
                demos.reserve(references(felonies));
            }))
            return false;
        for (std::size_t f = 0; f < static_cast<std::size_t>(felonies); ++f) {
            if (!item(unable("PrisonDemosByFelonyType" + idx(f)), [&] { demos.emplace_back(); })) return false;
            for (std::size_t k = 0; k < 8; ++k)
                if (!item(unable("PrisonDemosByFelonyType" + idx(f) + idx(k)),
                          [&] { demos.back()[k] = zeros(tableSize(Cp(static_cast<int>(k)), 120)); }))
                    return false;
        }
        return true;
    }

    bool monthlySeries() {
        // Timers has one entry per sentence-length category, at least the seven the stock tables expect.
        const long long timers = std::max(7LL, C(VarSentenceLength));
        const struct { Series* series; const char* name; long long size; } series[] = {
            {&st_.Entry, "Entry", 121},       {&st_.Prc, "Prc", 121},
            {&st_.Parc, "Parc", 121},         {&st_.Work, "Work", 121},
            {&st_.Pwrc, "Pwrc", 121},         {&st_.Totc, "Totc", 121},
            {&st_.Rel, "Rel", 121},           {&st_.CourtReleases, "CourtReleases", 121},
            {&st_.Violations, "Violations", 133}, {&st_.Timers, "Timers", timers},
            {&st_.JailViolations, "Jail Violations", 121}, {&st_.JailEntry, "Jail Entry", 121}};
        for (const auto& s : series)
            if (!item(unable(s.name), [&] { *s.series = zeros(tableSize(s.size)); })) return false;
        return true;
    }

    bool perCounty() {
        const std::size_t counties = st_.Counties.size();
        if (!item(unable("Tjailc"), [&] { st_.Tjailc = SeriesList(counties); }) ||
            !item(unable("Jailtot"), [&] { st_.Jailtot = SeriesList(counties); }) ||
            !item(unable("Jaildays"), [&] { st_.Jaildays = SeriesList(counties); }))
            return false;
        for (std::size_t c = 0; c < counties; ++c) {
            const std::string n = std::to_string(c);
            if (!item("Unable to allocate memory for Tjailc array number " + n, [&] { st_.Tjailc[c] = zeros(145); }) ||
                !item("Unable to allocate memory for Jailtot array number " + n, [&] { st_.Jailtot[c] = zeros(10); }) ||
                !item("Unable to allocate memory for Jaildays array number " + n, [&] { st_.Jaildays[c] = zeros(10); }))
                return false;
        }
        return true;
    }

    bool tops() {
        for (int k = 0; k < 8; ++k)
            if (!item("Unable to allocate memory for Tops array number " + std::to_string(k),
                      [&] { st_.Tops[static_cast<std::size_t>(k)] = zeros(tableSize(Cp(k), 120)); }))
                return false;
        return true;
    }

    bool entryExitByFelony() {
        if (!sw_.prisonDemosByFelonyType) return true;
        // The seven series are a fixed array, so only the per-series references and runs can fail.
        for (std::size_t s = 0; s < st_.EntryExitTablesByFelony.size(); ++s) {
            SeriesList& series = st_.EntryExitTablesByFelony[s];
            if (!item("Unable to allocate memory for EntryExitTablesByFelony" + idx(s),
                      [&] { series = SeriesList(references(C(VarFelonyType))); }))
                return false;
            for (std::size_t f = 0; f < series.size(); ++f)
                if (!item("Unable to allocate memory for EntryExitTablesByFelony" + idx(s) + idx(f),
                          [&] { series[f] = zeros(121); }))
                    return false;
        }
        return true;
    }

    bool trendsByAdmissionGroup() {
        for (std::size_t y = 0; y < st_.TrendsByAdmissionGroup.size(); ++y)
            if (!item("Unable to allocate memory for TrendsByAdmissionGroup" + idx(y),
                      [&] { st_.TrendsByAdmissionGroup[y] = zeros(tableSize(C(VarFelonyType))); }))
                return false;
        return true;
    }

    bool stockTables() {
        for (int k = 0; k < 7; ++k) {
            const auto slot = static_cast<std::size_t>(k);
            if (!item("Unable to allocate memory for Stocks" + idx(slot),
                      [&] { st_.Stocks[slot] = zeros(tableSize(C(k), 121)); }))
                return false;
            if (k == VarSentenceLength) {
                // Timers may be missing or short here when an earlier step failed.
                const auto lengths = static_cast<std::size_t>(std::max(0LL, C(k)));
                std::fill_n(st_.Timers.begin(), std::min(lengths, st_.Timers.size()), 0.0);
            }
        }
        return item("Unable to allocate memory for Stocks[7]", [&] { st_.Stocks[7] = zeros(121); });
    }

    bool stockSum() { return item("Unable to allocate memory for StockSum array", [&] { st_.StockSum = zeros(121); }); }

    bool stockForAgeAndGender() {
        return !sw_.felonyByAgeAndGender ||
               ageAndGender(st_.StockForAgeAndGender, "StockForAgeAndGender", 121);
    }

    bool gridCounts() {
        int rmax = 0;
        int cmax = 0;
        for (const auto& table : st_.m_Tables) {
            if (!table) continue;
            rmax = std::max(rmax, table->rows);
            cmax = std::max(cmax, table->cols);
        }
        const int tables = st_.numberOfTables();
        const struct { Array3* array; const char* name; } arrays[] = {{&st_.m_ProbCounts, "m_ProbCounts"},
                                                                      {&st_.m_GridNow, "m_GridNow"}};
        for (const auto& a : arrays) {
            std::string reason;
            try {
                tableSize(tables, rmax, cmax);
                a.array->create(tables, rmax, cmax);
                continue;
            } catch (const std::bad_alloc& e) {
                reason = e.what();
            } catch (const std::length_error& e) {
                reason = e.what();
            }
            a.array->clear(); // create sets the shape before the storage
            host_.message("Could not create " + std::string(a.name) + " because " + reason, MessageIcon::Stop);
            return false;
        }
        return true;
    }
};

} // namespace

bool allocateStateTables(StateTables& st, const TableSwitches& sw, Host& host) {
    return Allocation(st, sw, host).run();
}

} // namespace kov

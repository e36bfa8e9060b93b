#include "cases.h"

#include "norvale.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace demo {

namespace {

// Sample shares of the offenses (per mille) and their weight factors: person
// and sex offenses are sampled at twice the rate of the others.
constexpr std::array<int, kOffenses> kOffenseSample = {250, 80, 120, 230, 230, 90};
constexpr std::array<int, kOffenses> kOffenseWeight = {500, 500, 1000, 1250, 1250, 1250};
constexpr std::array<int, kOffenses> kMalePerMille = {870, 975, 900, 760, 800, 850};

// Severity levels by offense (weights for levels 1..10, or 1..5 for drugs).
constexpr std::array<std::array<int, 10>, kOffenses> kLevelWeights = {{
    {0, 0, 8, 14, 20, 18, 15, 11, 8, 6}, // person
    {0, 4, 8, 14, 16, 16, 15, 12, 9, 6}, // sex offense
    {0, 0, 12, 26, 30, 20, 12, 0, 0, 0}, // burglary
    {24, 26, 20, 15, 10, 5, 0, 0, 0, 0}, // property
    {16, 34, 26, 15, 9, 0, 0, 0, 0, 0},  // drug (five levels)
    {34, 30, 20, 10, 6, 0, 0, 0, 0, 0},  // public order
}};

constexpr std::array<std::array<int, kRaces>, kRegions> kRaceByRegion = {
    {{700, 150, 100, 50}, {450, 380, 130, 40}, {520, 300, 150, 30}}};

struct AgeBand {
    int low, high, weight;
};
constexpr std::array<AgeBand, 9> kAgeBands = {{{16, 17, 15},
                                               {18, 20, 100},
                                               {21, 24, 170},
                                               {25, 29, 195},
                                               {30, 34, 165},
                                               {35, 39, 120},
                                               {40, 49, 150},
                                               {50, 59, 70},
                                               {60, 74, 15}}};

// Criminal history columns 0..6 by age: older offenders have longer records.
constexpr std::array<std::array<int, kHistoryColumns>, 3> kHistoryByAge = {
    {{45, 25, 15, 8, 4, 2, 1}, {30, 20, 15, 12, 9, 7, 7}, {22, 17, 15, 13, 11, 10, 12}}};

// Stock records with long remaining terms are sampled at twice the rate of short ones.
constexpr int kLongRemaining = 600; // tenths of a month
constexpr int kLongWeight = 600;
constexpr int kShortWeight = 1200;

constexpr std::array<int, kFelonyTypes> kSupervisionBase = {60, 48, 36, 24, 18};
constexpr std::array<int, kFelonyTypes> kParoleBase = {36, 30, 24, 18, 12};

int countyIndex(Rng& rng) {
    static const std::vector<int> shares = [] {
        std::vector<int> s;
        for (const County& c : counties()) s.push_back(c.share);
        return s;
    }();
    return rng.pick(shares);
}

} // namespace

CourtCase drawCourtCase(Rng& rng) {
    CourtCase c;
    const int o = rng.pick(kOffenseSample);
    c.offense = o + 1;
    c.weightFactor = kOffenseWeight[static_cast<std::size_t>(o)];
    c.table = gridTableOf(c.offense);
    const int levels = gridTables()[static_cast<std::size_t>(c.table - 1)].rows;
    c.row = 1 + rng.pick(std::span<const int>(kLevelWeights[static_cast<std::size_t>(o)].data(),
                                              static_cast<std::size_t>(levels)));

    const int ci = countyIndex(rng);
    c.county = ci + 1;
    c.region = counties()[static_cast<std::size_t>(ci)].region;
    c.gender = rng.chance(kMalePerMille[static_cast<std::size_t>(o)]) ? 1 : 2;
    c.race = 1 + rng.pick(kRaceByRegion[static_cast<std::size_t>(c.region - 1)]);

    std::array<int, kAgeBands.size()> bandWeights{};
    for (std::size_t i = 0; i < kAgeBands.size(); ++i) bandWeights[i] = kAgeBands[i].weight;
    const AgeBand& band = kAgeBands[static_cast<std::size_t>(rng.pick(bandWeights))];
    c.age = rng.range(band.low, band.high);
    const std::size_t ageClass = c.age < 21 ? 0 : (c.age < 30 ? 1 : 2);
    const int history = rng.pick(kHistoryByAge[ageClass]);
    c.column = history + 1;

    c.felonyType = felonyTypeOf(c.table, c.row);
    const auto f = static_cast<std::size_t>(c.felonyType - 1);
    const int prison = prisonUnits(c.table, c.row, history);

    c.sentenceTenths =
        presumptiveMonths(c.table, c.row, history) * 10 * rng.range(750, 1250) / 1000;
    c.supervisionMonths = kSupervisionBase[f] + rng.range(-6, 6);
    const bool presumptivePrison = prison >= 7500;
    if (rng.chance(presumptivePrison ? 800 : 350)) {
        c.jailDays = 0;
    } else {
        c.jailDays = rng.range(10, std::min(365, 60 + 25 * c.row));
    }
    c.residentialDays = rng.chance(750) ? 0 : rng.range(30, 180);

    const int severity = c.table == 1 ? c.row : c.row + 2;
    const int risk = history + (severity >= 7 ? 2 : (severity >= 4 ? 1 : 0)) + (c.age < 25 ? 1 : 0);
    c.supervisionLevel = 1 + std::min(risk, 9) / 2;
    c.month = rng.range(1, 12);
    c.paroleTenths = kParoleBase[f] * 10 * rng.range(800, 1200) / 1000;

    c.postLevel = 1 + std::min(risk + 1, 9) / 2;
    c.postMonths = (c.paroleTenths + 5) / 10;
    c.postResidentialDays = rng.chance(800) ? 0 : rng.range(30, 120);
    c.firstRevocationMonths = rng.range(6, 12);
    c.secondRevocationMonths = rng.chance(300) ? 0 : rng.range(3, 9);
    return c;
}

namespace {

/// Months of one court case's prison stays, in tenths of a month per unit of
/// case weight and probability (1/10000), split by what put the person in
/// prison. A steady flow of such cases keeps this much of each in prison.
struct Stays {
    std::int64_t term = 0;        ///< the prison term, less the months on pre-release
    std::int64_t supervision = 0; ///< supervision revoked into prison
    std::int64_t release = 0;     ///< release revoked into prison
    std::int64_t total() const { return term + supervision + release; }
};

// The prison programs take many of the drug and property cases the revoked
// supervisees come from and cut their parole to the program's length; a run
// keeps them in prison for about 60% of the parole months of the court data.
constexpr int kSupervisionStayPerMille = 600;

Stays staysOf(const CourtCase& c) {
    const auto outcomes = courtOutcomes(c.table, c.row, c.column - 1);
    const std::int64_t prison = outcomes[1];
    Stays s;
    s.term = prison * std::max(0, c.sentenceTenths - kPreReleaseTenths);
    // The run revokes (1 - prison - misdemeanor) x revocation of a case's
    // weight, for the case's parole months.
    const std::int64_t revoked =
        (kProbabilityUnit - prison - outcomes[0]) * outcomes[20] / kProbabilityUnit;
    s.supervision = revoked * c.paroleTenths * kSupervisionStayPerMille / 1000;
    s.release = prison * kReleaseRevocationPerMille / 1000 * kReleaseRevocationMonths * 10;
    return s;
}

} // namespace

std::int64_t steadyPrisonTenths(const CourtCase& c) {
    return std::int64_t{c.weightFactor} * staysOf(c).total();
}

StockRecord drawStockRecord(Rng& rng) {
    static const std::int64_t acceptBound = [] {
        // Bounds every case's weight factor x stays: the longest term, the
        // longest parole and the highest probabilities of any cell.
        std::int64_t bound = 1;
        for (std::size_t o = 0; o < kOffenses; ++o) {
            const int table = gridTableOf(static_cast<int>(o) + 1);
            for (int level = 1; level <= gridTables()[static_cast<std::size_t>(table - 1)].rows;
                 ++level) {
                if (kLevelWeights[o][static_cast<std::size_t>(level - 1)] == 0) continue;
                for (int h = 0; h < kHistoryColumns; ++h) {
                    const std::int64_t longestTerm =
                        presumptiveMonths(table, level, h) * 10 * 1250 / 1000;
                    const std::int64_t longestParole = kParoleBase[0] * 10 * 1200 / 1000;
                    bound = std::max(bound, std::int64_t{kOffenseWeight[o]} * kProbabilityUnit *
                                                    (longestTerm + longestParole +
                                                     kReleaseRevocationMonths * 10) +
                                                1);
                }
            }
        }
        return bound;
    }();
    for (;;) {
        StockRecord s;
        s.court = drawCourtCase(rng);
        const CourtCase& c = s.court;
        const Stays stays = staysOf(c);
        if (static_cast<std::int64_t>(rng.below(static_cast<std::uint64_t>(acceptBound))) >=
            std::int64_t{c.weightFactor} * stays.total())
            continue;
        // Which stay the prisoner is serving, in proportion to the months of
        // each; the time already served is uniform over it, as under a
        // steady flow of admissions.
        const std::int64_t which =
            static_cast<std::int64_t>(rng.below(static_cast<std::uint64_t>(stays.total())));
        int length = c.sentenceTenths;
        if (which >= stays.term + stays.supervision)
            length = kReleaseRevocationMonths * 10;
        else if (which >= stays.term)
            length = c.paroleTenths;
        else
            length = std::max(10, c.sentenceTenths - kPreReleaseTenths);
        // A run counts a stock prisoner up to the month before the release
        // month, so one month more than the time left.
        s.remainingTenths = 10 + length * rng.range(1, 1000) / 1000;
        // Short stays are kept at half the rate of long ones, and weigh double.
        const bool longStay = s.remainingTenths > kLongRemaining;
        if (!longStay && !rng.chance(500)) continue;
        s.weightFactor = longStay ? kLongWeight : kShortWeight;
        s.currentAge = c.age + (length - s.remainingTenths + 10) / 120;
        return s;
    }
}

} // namespace demo

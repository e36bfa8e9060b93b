#pragma once
// Drawing one court case and one stock prisoner of Norvale from the random
// stream. Every field is an integer; lengths are in tenths of a month.
#include "prng.h"

#include <cstdint>

namespace demo {

struct CourtCase {
    int gender = 1;
    int race = 1;
    int age = 30;
    int offense = 1;
    int sentenceTenths = 0; ///< prison term if sentenced to prison
    int felonyType = 1;
    int region = 1;
    int supervisionMonths = 0; ///< supervision term if sentenced to supervision
    int jailDays = 0;
    int residentialDays = 0;
    int supervisionLevel = 1;
    int county = 1;
    int row = 1;
    int column = 1;
    int table = 1;
    int month = 1;
    int weightFactor = 1000; ///< per mille; the case weight is proportional to it
    int paroleTenths = 0;
    int postLevel = 1;
    int postMonths = 0;
    int postResidentialDays = 0;
    int firstRevocationMonths = 0;
    int secondRevocationMonths = 0;
};

CourtCase drawCourtCase(Rng& rng);

struct StockRecord {
    CourtCase court; ///< the sentence that brought the prisoner in
    int currentAge = 30;
    int remainingTenths = 0;
    int weightFactor = 1000; ///< per mille; the record weight is proportional to it
};

/// Release parameters of the demo configurations that the stock must agree
/// with: a release is revoked with this probability (per mille) into this many
/// months of prison...
inline constexpr int kReleaseRevocationPerMille = 150;
inline constexpr int kReleaseRevocationMonths = 8;
/// ...and pre-release takes 30% of the prisoners out 4 months early, 15% of
/// whom return for 2 + 6 months: 0.84 months less of each term, in tenths.
inline constexpr int kPreReleaseTenths = 8;

/// A prisoner of the stock: court cases drawn in proportion to their share of
/// the prison population a steady flow of them keeps (frequency x the months
/// of their term and of their revocations), serving one of those stays.
StockRecord drawStockRecord(Rng& rng);

/// The prison months (tenths, times probability units of 1/10000) a steady
/// flow keeps in prison per court case, times its weight factor.
std::int64_t steadyPrisonTenths(const CourtCase& c);

} // namespace demo

#pragma once
// Drawing one court case and one stock prisoner of Norvale from the random
// stream. Every field is an integer; lengths are in tenths of a month.
#include "prng.h"

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

/// A prisoner of the stock: court cases drawn in proportion to their share of
/// the prison population (frequency x prison probability x term).
StockRecord drawStockRecord(Rng& rng);

} // namespace demo
